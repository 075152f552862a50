// The spline description loader on real files: settings, the points block and its tags, bad input.
#include <string>

#include <gtest/gtest.h>

#include "spline/Spline.h"
#include "spline/SplineFiles.h"

namespace {

Spline loadText(const std::string& name, const std::string& text) { return Spline(writeSplineFile(name, text)); }

}  // namespace

TEST(SplineLoader, SizesArraysFromCountsAndComputesFewerSamples) {
    Spline spline = loadText("sizes.sdf", splineText("  control_count 6\n  curve_subdivision 20\n",
                                                     "C: 0 0 0\nC: 1 0 0\nC: 2 0 0\nC: 3 1 0\nC: 4 0 0\nC: 5 0 0\n"));
    EXPECT_EQ(spline.controlCount, 6);
    ASSERT_EQ(spline.controlPoints.size(), 6u);
    EXPECT_EQ(spline.samples.size(), 120u);
    EXPECT_EQ(spline.sampleCount, 60);
    EXPECT_EQ(spline.pointsRead, 6);
    EXPECT_FLOAT_EQ(spline.controlPoints[3].position.y, 1.0f);
}

TEST(SplineLoader, ReadsSettingsTruncatingIntegersAndIgnoringMisspellings) {
    Spline spline = loadText("settings.sdf",
                             "begin_spline\n"
                             "  curve_type 1.9\n"
                             "control_count -0.5\n"
                             "\tdisplay_orientation_len 2.5\n"
                             "Display_curve_mode 1\n"
                             "display_curve_modulo five\n"
                             "display_orientation_mode 2\n"
                             "display_orientation_modulo 7.99\n"
                             "display_control_mode 2\n"
                             "begin_points\n"
                             "curve_type 0\n"
                             "end_points\n");
    EXPECT_EQ(spline.curveType, 1);
    EXPECT_EQ(spline.controlCount, 0);
    EXPECT_FLOAT_EQ(spline.displayOrientationLen, 2.5f);
    EXPECT_EQ(spline.displayCurveMode, 0);
    EXPECT_EQ(spline.displayCurveModulo, 0);
    EXPECT_EQ(spline.displayOrientationMode, 2);
    EXPECT_EQ(spline.displayOrientationModulo, 7);
    EXPECT_EQ(spline.displayControlMode, 2);
}

TEST(SplineLoader, SettingInsidePointsBlockAndBeforeBeginSplineIsIgnored) {
    Spline spline = loadText("inside.sdf",
                             "curve_type 5\nbegin_spline\ncontrol_count 2\ncurve_subdivision 1\nbegin_points\n"
                             "C: 1 2 3\ncurve_type 3\nend_points\n");
    EXPECT_EQ(spline.curveType, 0);
    EXPECT_EQ(spline.pointsRead, 1);
}

TEST(SplineLoader, TagsApplyToThePointBeforeTheLastRead) {
    Spline spline = loadText("tags.sdf",
                             "begin_spline\ncontrol_count 4\ncurve_subdivision 2\nbegin_points\n"
                             "C: 0 0 0\nP: break 3\nC: 1 0 0\n  N: rotate 45\nC: 2 0 0\nC: 3 0 0\n"
                             "P: no_gravity\nend_points\nN: 0 0 1\n");
    ASSERT_EQ(spline.controlPoints.size(), 4u);
    EXPECT_EQ(spline.controlPoints[0].pathTag, 0);  // the break came after only one point
    EXPECT_EQ(spline.controlPoints[0].normalTag, 1);
    EXPECT_FLOAT_EQ(spline.controlPoints[0].rotateAngle, 45.0f);
    EXPECT_EQ(spline.controlPoints[2].pathTag, 1);  // the block ended by count on that very line
    EXPECT_EQ(spline.controlPoints[2].normalTag, 0);  // after the block an "N:" line is nothing
}

TEST(SplineLoader, TagOnPointLineAndReplacedTags) {
    Spline spline = loadText("pointtags.sdf",
                             "begin_spline\ncontrol_count 5\ncurve_subdivision 1\nbegin_points\n"
                             "C: 0 0 0\nC: 1 0 0 P: no_gravity\nC: 2 0 0 P: break 4\n"
                             "P: break 1.5\nN: 0 1 0\nN: rotate 30\nP: break 2 no_gravity\nC: 3 0 0\n"
                             "P: break 9\nP: no_gravity\nend_points\n");
    EXPECT_EQ(spline.controlPoints[0].pathTag, 1);
    EXPECT_EQ(spline.controlPoints[1].pathTag, 1);  // "no_gravity" wins over a break
    EXPECT_FLOAT_EQ(spline.controlPoints[1].breakValue, 1.5f);
    EXPECT_EQ(spline.controlPoints[1].normalTag, 1);
    EXPECT_FLOAT_EQ(spline.controlPoints[1].rotateAngle, 30.0f);
    EXPECT_FLOAT_EQ(spline.controlPoints[1].normal.y, 1.0f);  // rotate leaves the normal
    EXPECT_EQ(spline.controlPoints[2].pathTag, 1);
    EXPECT_FLOAT_EQ(spline.controlPoints[2].breakValue, 9.0f);
}

TEST(SplineLoader, ExtraPointsEndTheBlockAndMissingPointsStayAtOrigin) {
    Spline extra = loadText("extra.sdf",
                            "begin_spline\ncontrol_count 3\ncurve_subdivision 1\nbegin_points\n"
                            "C: 1 1 1\nC: 2 2 2\nC: 3 3 3\nC: 4 4 4\ncurve_type 1\n");
    EXPECT_EQ(extra.pointsRead, 3);
    EXPECT_EQ(extra.curveType, 1);  // handled in the header after the fourth point
    Spline missing = loadText("missing.sdf",
                              "begin_spline\ncontrol_count 4\ncurve_subdivision 1\nbegin_points\n"
                              "C: 1 1 1\nC: 2 2 2\nend_points\nC: 5 5 5\n");
    EXPECT_EQ(missing.pointsRead, 2);
    EXPECT_FLOAT_EQ(missing.controlPoints[3].position.x, 0.0f);
    EXPECT_EQ(missing.sampleCount, 1);
}

TEST(SplineLoader, LongLinesAreReadInPieces) {
    const std::string padding(255 - std::string("C: 9 9 9").size(), ' ');
    // The first piece is a point; the rest of the line, "C: 7 7 7", is a line of its own.
    Spline spline = loadText("long.sdf", "begin_spline\ncontrol_count 3\ncurve_subdivision 1\nbegin_points\n"
                                         "C: 9 9 9" + padding + "C: 7 7 7\nend_points\n");
    EXPECT_EQ(spline.pointsRead, 2);
    EXPECT_FLOAT_EQ(spline.controlPoints[1].position.x, 7.0f);
}

TEST(SplineLoader, BadFilesGiveEmptySplinesWithoutCrashing) {
    Spline absent(std::string(ZEN_TEST_TMP_DIR) + "/splines/does-not-exist.sdf");
    EXPECT_TRUE(absent.controlPoints.empty());
    EXPECT_EQ(absent.sampleCount, 0);
    EXPECT_EQ(absent.findSample(0.0f), -1);

    for (const char* counts : {"control_count 1e12\ncurve_subdivision 10\n", "control_count 5\ncurve_subdivision -3\n",
                               "control_count 100000\ncurve_subdivision 10000\n", "control_count nan\n"}) {
        Spline huge = loadText("huge.sdf", splineText(counts, "C: 1 2 3\nC: 1 2 3\nC: 1 2 3\nC: 1 2 3\n"));
        EXPECT_TRUE(huge.controlPoints.empty()) << counts;
        EXPECT_TRUE(huge.samples.empty()) << counts;
        EXPECT_EQ(huge.sampleCount, 0) << counts;
    }

    Spline noBlock = loadText("noblock.sdf", "begin_spline\ncontrol_count 6\ncurve_subdivision 4\nend_spline\n");
    EXPECT_TRUE(noBlock.controlPoints.empty());
    EXPECT_EQ(noBlock.sampleCount, 0);
}

TEST(SplineLoader, CountsAreFixedOnceThePointsBlockBegins) {
    Spline spline = loadText("twice.sdf",
                             "begin_spline\ncontrol_count 4\ncurve_subdivision 2\nbegin_points\n"
                             "C: 1 0 0\nC: 2 0 0\nC: 3 0 0\nC: 4 0 0\nend_points\n"
                             "control_count 400\ncurve_subdivision 90\nbegin_points\nC: 8 8 8\nend_points\n");
    EXPECT_EQ(spline.controlCount, 4);
    EXPECT_EQ(spline.curveSubdivision, 2);
    ASSERT_EQ(spline.controlPoints.size(), 4u);
    EXPECT_FLOAT_EQ(spline.controlPoints[0].position.x, 1.0f);  // the second block wiped nothing
    EXPECT_EQ(spline.sampleCount, 2);
}
