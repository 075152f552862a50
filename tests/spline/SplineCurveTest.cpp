// Curve samples against hand-computed values, the moving frame, and the sample lookup.
#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "spline/Spline.h"
#include "spline/SplineFiles.h"
#include "support/ExpectNear.h"
#include "support/Scratch.h"

namespace {

Spline curve(int type, int subdivision, int count, const std::string& points) {
    const std::string header = "control_count " + std::to_string(count) + "\ncurve_subdivision " +
                               std::to_string(subdivision) + "\ncurve_type " + std::to_string(type) + "\n";
    return Spline(writeScratchFile("curve.sdf", splineText(header, points)));
}

// The lookup as a plain scan from the first sample.
int scanForSample(const Spline& spline, float distance) {
    if (distance < 0.0f) return -1;
    for (int k = 0; k < spline.sampleCount; ++k) {
        if (distance <= spline.samples[k].arcLength) return k;
    }
    return -1;
}

const char* const kFour = "C: 1 2 3\nC: 4 8 -2\nC: 7 1 0\nC: 9 9 9\n";

}  // namespace

TEST(SplineCurve, SamplesOfBothCurveTypes) {
    Spline catmull = curve(1, 10, 4, kFour);
    ASSERT_EQ(catmull.sampleCount, 10);
    expectNear(catmull.samples[0].position, Vector3(4, 8, -2));  // on P1
    expectNear(catmull.samples[0].tangent, Vector3(6, -1, -3) * (1.0f / std::sqrt(46.0f)));  // along P2 - P0
    Spline bspline = curve(0, 10, 4, kFour);
    // Divided by 6, not multiplied by 1/6: z = -5 / 6 tells the two apart in the last bit.
    const Vector3 first = (Vector3(1, 2, 3) + 4 * Vector3(4, 8, -2) + Vector3(7, 1, 0)) / 6.0f;
    EXPECT_EQ(bspline.samples[0].position.x, first.x);
    EXPECT_EQ(bspline.samples[0].position.y, first.y);
    EXPECT_EQ(bspline.samples[0].position.z, first.z);
    // t = 0.5 weighs the points 1, 23, 23, 1 over 48.
    expectNear(bspline.samples[5].position, (1.0f / 48.0f) * (Vector3(1, 2, 3) + Vector3(9, 9, 9)) +
                                                (23.0f / 48.0f) * (Vector3(4, 8, -2) + Vector3(7, 1, 0)));
    EXPECT_EQ(curve(1, 10, 3, "C: 0 0 0\nC: 1 0 0\nC: 2 0 0\n").sampleCount, 0);
}

TEST(SplineCurve, StraightLineKeepsItsFirstFrame) {
    Spline spline = curve(0, 5, 5, "C: 0 0 0\nC: 1 0 0\nC: 2 0 0\nC: 3 0 0\nC: 4 0 0\n");
    ASSERT_EQ(spline.sampleCount, 10);
    for (int k = 0; k < spline.sampleCount; ++k) {
        const CurveSample& s = spline.samples[k];
        expectNear(s.tangent, Vector3(1, 0, 0));
        expectNear(s.normal, Vector3(0, 1, 0));
        expectNear(s.binormal, Vector3(0, 0, -1));
    }
}

TEST(SplineCurve, SBendKeepsUnitFramesAndAContinuousBinormal) {
    Spline spline = curve(1, 8, 7, "C: 0 0 0\nC: 10 0 0\nC: 20 10 0\nC: 30 0 0\nC: 40 -10 0\nC: 50 0 0\nC: 60 0 0\n");
    ASSERT_EQ(spline.sampleCount, 32);
    for (int k = 1; k < spline.sampleCount; ++k) {
        const CurveSample& s = spline.samples[k];
        EXPECT_NEAR(length(s.binormal) + length(s.normal), 2.0f, 1e-5f) << k;
        EXPECT_NEAR(dot(s.normal, s.tangent), 0.0f, 1e-5f) << k;
        EXPECT_GE(dot(s.binormal, spline.samples[k - 1].binormal), 0.0f) << k;
    }
}

TEST(SplineCurve, FindSampleMatchesTheScanAtTiesEndsAndRandomDistances) {
    // Repeated control points make runs of samples that share one arc length.
    Spline ties = curve(1, 4, 8, "C: 0 0 0\nC: 0 0 0\nC: 0 0 0\nC: 0 0 0\nC: 5 0 0\nC: 5 0 0\nC: 5 0 0\nC: 5 0 0\n");
    ASSERT_EQ(ties.sampleCount, 20);
    EXPECT_EQ(ties.findSample(0.0f), 0);
    EXPECT_EQ(ties.findSample(-0.001f), -1);
    EXPECT_EQ(ties.findSample(std::nanf("")), -1);
    const float last = ties.samples[19].arcLength;
    EXPECT_LT(ties.findSample(last), 19);  // the first of the run at the end
    EXPECT_EQ(ties.findSample(std::nextafter(last, 1e9f)), -1);
    for (int k = 0; k < ties.sampleCount; ++k) {
        EXPECT_EQ(ties.findSample(ties.samples[k].arcLength), scanForSample(ties, ties.samples[k].arcLength));
    }
    Spline bend = curve(0, 16, 6, "C: 0 0 0\nC: 10 0 0\nC: 10 10 0\nC: 20 10 5\nC: 20 20 -5\nC: 0 30 0\n");
    std::mt19937 random(7);
    std::uniform_real_distribution<float> distance(-2.0f, bend.samples[47].arcLength + 2.0f);
    for (int i = 0; i < 2000; ++i) {
        const float d = distance(random);
        ASSERT_EQ(bend.findSample(d), scanForSample(bend, d)) << d;
    }
}
