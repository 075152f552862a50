#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "spline/Spline.h"

namespace {

// The positions of a path file's curve as the program loads and samples it.
std::vector<Vector3> curve(const std::string& path) {
    const Spline spline(path);
    std::vector<Vector3> positions;
    for (int k = 0; k < spline.sampleCount; ++k) positions.push_back(spline.samples[k].position);
    return positions;
}

float lengthOf(const std::vector<Vector3>& samples) {
    float total = 0.0f;
    for (size_t i = 1; i < samples.size(); ++i) total += length(samples[i] - samples[i - 1]);
    return total;
}

bool insidePodium(const Vector3& p) {
    const float dx = p.x - 220.0f, dz = p.z + 470.0f;
    return std::sqrt(dx * dx + dz * dz) < 19.0f && p.y < -13.0f && p.y > -51.0f;
}

bool insideAsteroidBox(const Vector3& p) {
    return std::fabs(p.x) <= 300.0f && p.y >= 40.0f && p.y <= 89.0f && p.z >= -300.0f && p.z <= -1.0f;
}

// Where the follow camera aims to be: `distance` behind each sample along the path.
void expectCameraClearOfPodium(const std::vector<Vector3>& samples, float distance) {
    for (size_t i = 1; i < samples.size(); ++i) {
        Vector3 forward = samples[i] - samples[i - 1];
        normalize(forward);
        ASSERT_FALSE(insidePodium(samples[i] - forward * distance)) << "camera in the podium at sample " << i;
    }
}

const std::string kFirst = "../resources/splines/playerspline.sdf";
const std::string kSecond = "../resources/splines/playersplineCircle.sdf";

TEST(FlightPaths, BothFilesDeclareTheirPointsAndPositiveDisplaySteps) {
    for (const std::string& name : {kFirst, kSecond}) {
        SCOPED_TRACE(name);
        const Spline file(name);
        EXPECT_EQ(file.pointsRead, file.controlCount);
        EXPECT_GE(file.controlCount, 4);
        EXPECT_GT(file.sampleCount, 0);
        EXPECT_GT(file.displayCurveModulo, 0);
        EXPECT_GT(file.displayOrientationModulo, 0);
        EXPECT_GT(file.displayOrientationLen, 0.0f);
    }
    EXPECT_NE(Spline(kFirst).curveType, Spline(kSecond).curveType) << "one path of each curve kind";
}

TEST(FlightPaths, FirstPathTakesAboutFortySecondsThroughTheFieldToThePodium) {
    const std::vector<Vector3> first = curve(kFirst);
    const float seconds = lengthOf(first) / 30.0f;
    EXPECT_GE(seconds, 35.0f);
    EXPECT_LE(seconds, 45.0f);
    size_t inField = 0;
    for (const Vector3& p : first) {
        ASSERT_GT(length(p), 3.5f + 8.0f) << "too close to the planet";
        ASSERT_FALSE(insidePodium(p));
        if (insideAsteroidBox(p)) ++inField;
    }
    EXPECT_GT(inField, first.size() / 3);
    EXPECT_LT(length(first.front()), 30.0f) << "should start near the planet";
    expectCameraClearOfPodium(first, 40.0f);
    const std::vector<Vector3> second = curve(kSecond);
    EXPECT_LT(length(first.back() - second.front()), 2.0f) << "paths should join";
}

TEST(FlightPaths, SecondPathHoversOverThePadForOneToTwoMinutes) {
    const std::vector<Vector3> second = curve(kSecond);
    const float seconds = lengthOf(second) / 1.0f;
    EXPECT_GE(seconds, 60.0f);
    EXPECT_LE(seconds, 120.0f);
    for (const Vector3& p : second) {
        ASSERT_GT(p.y, -15.0f + 4.0f) << "too low over the pad";
        // The shadow along the light direction must land on the pad (radius 16).
        const Vector3 light(500.0f, 650.0f, 250.0f);
        const float drop = (p.y + 15.0f) / (light.y / length(light));
        Vector3 toLight = light;
        normalize(toLight);
        const Vector3 shadow = p - toLight * drop;
        EXPECT_LT(std::hypot(shadow.x - 220.0f, shadow.z + 470.0f), 16.0f);
    }
    expectCameraClearOfPodium(second, 10.0f);
}

}  // namespace
