#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "math/Vector3.h"

namespace {

// The path files read the way the curve is built from them: the settings and
// the "C:" points, then (count - 3) segments of `subdivision` samples each.
struct PathFile {
    int controlCount = 0, subdivision = 0, curveType = 0;
    int curveModulo = 0, orientationModulo = 0;
    float orientationLength = 0.0f;
    std::vector<Vector3> points;
    std::vector<Vector3> samples;
};

Vector3 curvePoint(const Vector3* p, float t, int type) {
    const float t2 = t * t, t3 = t2 * t;
    if (type == 0)
        return (p[0] * ((1 - t) * (1 - t) * (1 - t)) + p[1] * (3 * t3 - 6 * t2 + 4) + p[2] * (-3 * t3 + 3 * t2 + 3 * t + 1) +
                p[3] * t3) * (1.0f / 6.0f);
    return (p[0] * (-t3 + 2 * t2 - t) + p[1] * (3 * t3 - 5 * t2 + 2) + p[2] * (-3 * t3 + 4 * t2 + t) + p[3] * (t3 - t2)) *
           0.5f;
}

PathFile readPath(const std::string& path) {
    PathFile file;
    std::ifstream in(path);
    std::string line;
    double number = 0.0;
    Vector3 p;
    while (std::getline(in, line)) {
        const char* text = line.c_str();
        if (std::sscanf(text, " control_count %lf", &number) == 1) file.controlCount = static_cast<int>(number);
        else if (std::sscanf(text, " curve_subdivision %lf", &number) == 1) file.subdivision = static_cast<int>(number);
        else if (std::sscanf(text, " curve_type %lf", &number) == 1) file.curveType = static_cast<int>(number);
        else if (std::sscanf(text, " display_curve_modulo %lf", &number) == 1) file.curveModulo = static_cast<int>(number);
        else if (std::sscanf(text, " display_orientation_modulo %lf", &number) == 1) file.orientationModulo = static_cast<int>(number);
        else if (std::sscanf(text, " display_orientation_len %lf", &number) == 1) file.orientationLength = static_cast<float>(number);
        else if (std::sscanf(text, " C: %f %f %f", &p.x, &p.y, &p.z) == 3) file.points.push_back(p);
    }
    for (size_t s = 0; s + 3 < file.points.size(); ++s)
        for (int j = 0; j < file.subdivision; ++j)
            file.samples.push_back(curvePoint(&file.points[s], static_cast<float>(j) / file.subdivision, file.curveType));
    return file;
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
        const PathFile file = readPath(name);
        EXPECT_EQ(file.controlCount, static_cast<int>(file.points.size()));
        EXPECT_GE(file.controlCount, 4);
        EXPECT_GT(file.subdivision, 0);
        EXPECT_GT(file.curveModulo, 0);
        EXPECT_GT(file.orientationModulo, 0);
        EXPECT_GT(file.orientationLength, 0.0f);
    }
    EXPECT_NE(readPath(kFirst).curveType, readPath(kSecond).curveType) << "one path of each curve kind";
}

TEST(FlightPaths, FirstPathTakesAboutFortySecondsThroughTheFieldToThePodium) {
    const PathFile first = readPath(kFirst);
    const float seconds = lengthOf(first.samples) / 30.0f;
    EXPECT_GE(seconds, 35.0f);
    EXPECT_LE(seconds, 45.0f);
    size_t inField = 0;
    for (const Vector3& p : first.samples) {
        ASSERT_GT(length(p), 3.5f + 8.0f) << "too close to the planet";
        ASSERT_FALSE(insidePodium(p));
        if (insideAsteroidBox(p)) ++inField;
    }
    EXPECT_GT(inField, first.samples.size() / 3);
    EXPECT_LT(length(first.samples.front()), 30.0f) << "should start near the planet";
    expectCameraClearOfPodium(first.samples, 40.0f);
    const PathFile second = readPath(kSecond);
    EXPECT_LT(length(first.samples.back() - second.samples.front()), 2.0f) << "paths should join";
}

TEST(FlightPaths, SecondPathHoversOverThePadForOneToTwoMinutes) {
    const PathFile second = readPath(kSecond);
    const float seconds = lengthOf(second.samples) / 1.0f;
    EXPECT_GE(seconds, 60.0f);
    EXPECT_LE(seconds, 120.0f);
    for (const Vector3& p : second.samples) {
        ASSERT_GT(p.y, -15.0f + 4.0f) << "too low over the pad";
        // The shadow along the light direction must land on the pad (radius 16).
        const Vector3 light(500.0f, 650.0f, 250.0f);
        const float drop = (p.y + 15.0f) / (light.y / length(light));
        Vector3 toLight = light;
        normalize(toLight);
        const Vector3 shadow = p - toLight * drop;
        EXPECT_LT(std::hypot(shadow.x - 220.0f, shadow.z + 470.0f), 16.0f);
    }
    expectCameraClearOfPodium(second.samples, 10.0f);
}

}  // namespace
