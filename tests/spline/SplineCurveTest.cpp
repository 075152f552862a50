// Curve samples against hand-computed values, the moving frame, and the sample lookup.
#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "spline/Spline.h"
#include "spline/SplineFiles.h"

namespace {

Spline curve(const std::string& name, int type, int subdivision, const std::string& points, int count) {
    return Spline(writeSplineFile(
        name, splineText("control_count " + std::to_string(count) + "\ncurve_subdivision " +
                             std::to_string(subdivision) + "\ncurve_type " + std::to_string(type) + "\n",
                         points)));
}

const char* const kBend = "C: 0 0 0\nC: 10 0 0\nC: 10 10 0\nC: 20 10 5\nC: 20 20 -5\nC: 0 30 0\n";

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The lookup as a plain scan from the first sample.
int scanForSample(const Spline& spline, float distance) {
    if (distance < 0.0f) return -1;
    for (int k = 0; k < spline.sampleCount; ++k) {
        if (distance <= spline.samples[k].arcLength) return k;
    }
    return -1;
}

}  // namespace

TEST(SplineCurve, FirstSampleOfEachCurveType) {
    const std::string points = "C: 1 2 3\nC: 4 8 -2\nC: 7 1 0\nC: 9 9 9\n";
    Spline catmull = curve("catmull.sdf", 1, 10, points, 4);
    ASSERT_EQ(catmull.sampleCount, 10);
    expectNear(catmull.samples[0].position, Vector3(4, 8, -2));
    // The tangent at t = 0 is along P2 - P0.
    expectNear(catmull.samples[0].tangent, Vector3(6, -1, -3) * (1.0f / std::sqrt(46.0f)));

    Spline bspline = curve("bspline.sdf", 0, 10, points, 4);
    expectNear(bspline.samples[0].position, Vector3((1 + 16 + 7) / 6.0f, (2 + 32 + 1) / 6.0f, (3 - 8) / 6.0f));
    // Sample 5 lies at t = 0.5: weights 1/48, 23/48, 23/48, 1/48.
    const Vector3 half = (1.0f / 48.0f) * (Vector3(1, 2, 3) + Vector3(9, 9, 9)) +
                         (23.0f / 48.0f) * (Vector3(4, 8, -2) + Vector3(7, 1, 0));
    expectNear(bspline.samples[5].position, half);
}

TEST(SplineCurve, CatmullRomPassesThroughInnerPointsAndStopsShortOfTheEnd) {
    Spline spline = curve("through.sdf", 1, 4, kBend, 6);
    ASSERT_EQ(spline.sampleCount, 12);
    expectNear(spline.samples[4].position, Vector3(10, 10, 0));
    expectNear(spline.samples[8].position, Vector3(20, 10, 5));
    EXPECT_GT(length(spline.samples[11].position - Vector3(20, 20, -5)), 0.1f);
}

TEST(SplineCurve, StraightLineKeepsItsFirstFrame) {
    Spline spline = curve("straight.sdf", 0, 5, "C: 0 0 0\nC: 1 0 0\nC: 2 0 0\nC: 3 0 0\nC: 4 0 0\n", 5);
    ASSERT_EQ(spline.sampleCount, 10);
    for (int k = 0; k < spline.sampleCount; ++k) {
        SCOPED_TRACE(k);
        expectNear(spline.samples[k].tangent, Vector3(1, 0, 0));
        expectNear(spline.samples[k].normal, Vector3(0, 1, 0));
        expectNear(spline.samples[k].binormal, Vector3(0, 0, -1));
    }
    EXPECT_NEAR(spline.samples[9].arcLength, spline.samples[9].position.x - spline.samples[0].position.x, 1e-5f);
}

TEST(SplineCurve, FramesStayUnitOrthogonalAndTheBinormalDoesNotFlip) {
    // An S-bend: the cross product of neighbouring tangents turns over in the middle.
    Spline spline = curve("sbend.sdf", 1, 8, "C: 0 0 0\nC: 10 0 0\nC: 20 10 0\nC: 30 0 0\nC: 40 -10 0\nC: 50 0 0\n"
                                             "C: 60 0 0\n", 7);
    ASSERT_EQ(spline.sampleCount, 32);
    for (int k = 1; k < spline.sampleCount; ++k) {
        SCOPED_TRACE(k);
        const CurveSample& s = spline.samples[k];
        EXPECT_NEAR(length(s.binormal), 1.0f, 1e-5f);
        EXPECT_NEAR(length(s.normal), 1.0f, 1e-5f);
        EXPECT_NEAR(dot(s.normal, s.tangent), 0.0f, 1e-5f);
        EXPECT_GE(dot(s.binormal, spline.samples[k - 1].binormal), 0.0f);
        EXPECT_GE(s.arcLength, spline.samples[k - 1].arcLength);
    }
}

TEST(SplineCurve, TooFewPointsGiveNoSamples) {
    Spline spline = curve("three.sdf", 1, 10, "C: 0 0 0\nC: 1 0 0\nC: 2 0 0\n", 3);
    EXPECT_EQ(spline.sampleCount, 0);
    EXPECT_EQ(spline.findSample(0.0f), -1);
    EXPECT_EQ(spline.findSample(1.0f), -1);
}

TEST(SplineCurve, FindSampleEndsAndTies) {
    // Repeated control points make runs of samples that share one arc length.
    Spline spline = curve("ties.sdf", 1, 4, "C: 0 0 0\nC: 0 0 0\nC: 0 0 0\nC: 0 0 0\nC: 5 0 0\nC: 5 0 0\nC: 5 0 0\n"
                                            "C: 5 0 0\n", 8);
    ASSERT_EQ(spline.sampleCount, 20);
    EXPECT_EQ(spline.findSample(0.0f), 0);
    EXPECT_EQ(spline.findSample(-0.001f), -1);
    EXPECT_EQ(spline.findSample(std::nanf("")), -1);
    const float last = spline.samples[19].arcLength;
    EXPECT_EQ(spline.findSample(last), scanForSample(spline, last));
    EXPECT_LT(spline.findSample(last), 19);  // the first of the run at the end
    EXPECT_EQ(spline.findSample(std::nextafter(last, 1e9f)), -1);
    for (int k = 0; k < spline.sampleCount; ++k) {
        EXPECT_EQ(spline.findSample(spline.samples[k].arcLength), scanForSample(spline, spline.samples[k].arcLength));
    }
}

TEST(SplineCurve, FindSampleEqualsTheScanOnRandomDistances) {
    Spline spline = curve("random.sdf", 0, 16, kBend, 6);
    ASSERT_EQ(spline.sampleCount, 48);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> distance(-2.0f, spline.samples[47].arcLength + 2.0f);
    for (int i = 0; i < 2000; ++i) {
        const float d = distance(random);
        ASSERT_EQ(spline.findSample(d), scanForSample(spline, d)) << d;
    }
}
