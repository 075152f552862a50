// The spline description loader on real files: settings, the points block and its tags, bad input.
#include <string>

#include <gtest/gtest.h>

#include "spline/Spline.h"
#include "spline/SplineFiles.h"
#include "support/Scratch.h"

namespace {

Spline loadText(const std::string& text) { return Spline(writeScratchFile("loader.sdf", text)); }

const char* const kFourPointsHeader = "begin_spline\ncontrol_count 4\ncurve_subdivision 2\nbegin_points\n";

}  // namespace

TEST(SplineLoader, ReadsSettingsTruncatingIntegersAndIgnoringWhatDoesNotMatch) {
    Spline spline = loadText(
        "curve_type 5\nbegin_spline\n  control_count 6\n\tcurve_subdivision 20.9\n  curve_type 1.9\n"
        "display_orientation_len 2.5\nDisplay_curve_mode 1\ndisplay_curve_modulo five\n"
        "display_orientation_modulo -0.5\nbegin_points\nC: 0 0 0\ndisplay_control_mode 2\nC: 1 0 0\nC: 2 0 0\n"
        "C: 3 1 0\nC: 4 0 0\nC: 5 0 0\nend_points\n");
    EXPECT_EQ(spline.curveType, 1);
    EXPECT_FLOAT_EQ(spline.displayOrientationLen, 2.5f);
    EXPECT_EQ(spline.displayCurveMode + spline.displayCurveModulo + spline.displayOrientationModulo, 0);
    EXPECT_EQ(spline.displayControlMode, 0);  // a setting inside the points block is nothing
    ASSERT_EQ(spline.controlPoints.size(), 6u);
    EXPECT_FLOAT_EQ(spline.controlPoints[3].position.y, 1.0f);
    EXPECT_EQ(spline.samples.size(), 120u);
    EXPECT_EQ(spline.sampleCount, 60);
}

TEST(SplineLoader, TagsApplyToThePointBeforeTheLastReadWhileTheBlockLasts) {
    Spline spline = loadText(std::string(kFourPointsHeader) +
                             "C: 0 0 0\nP: break 3\nC: 1 0 0\n  N: rotate 45\nC: 2 0 0\nC: 3 0 0\n"
                             "P: no_gravity\nend_points\nN: 0 0 1\n");
    EXPECT_EQ(spline.controlPoints[0].pathTag, 0);  // the break came after only one point
    EXPECT_EQ(spline.controlPoints[0].normalTag, 1);
    EXPECT_FLOAT_EQ(spline.controlPoints[0].rotateAngle, 45.0f);
    EXPECT_EQ(spline.controlPoints[2].pathTag, 1);    // the block ended by count on that very line
    EXPECT_EQ(spline.controlPoints[2].normalTag, 0);  // after the block an "N:" line is nothing
}

TEST(SplineLoader, TagsOnPointLinesAndReplacedTags) {
    Spline spline = loadText("begin_spline\ncontrol_count 5\ncurve_subdivision 1\nbegin_points\n"
                             "C: 0 0 0\nC: 1 0 0 P: no_gravity\nC: 2 0 0 P: break 4\nP: break 1.5\nN: 0 1 0\n"
                             "N: rotate 30\nP: break 2 no_gravity\nC: 3 0 0\nP: break 9\nP: no_gravity\nend_points\n");
    const ControlPoint& second = spline.controlPoints[1];
    EXPECT_EQ(spline.controlPoints[0].pathTag, 1);
    EXPECT_EQ(second.pathTag, 1);  // "no_gravity" wins over a break
    EXPECT_FLOAT_EQ(second.breakValue, 1.5f);
    EXPECT_EQ(second.normalTag, 1);
    EXPECT_FLOAT_EQ(second.rotateAngle, 30.0f);
    EXPECT_FLOAT_EQ(second.normal.y, 1.0f);  // rotate leaves the normal as it was
    EXPECT_EQ(spline.controlPoints[2].pathTag, 1);
    EXPECT_FLOAT_EQ(spline.controlPoints[2].breakValue, 9.0f);
}

TEST(SplineLoader, BlockEndsByCountOrEarlyAndLongLinesComeInPieces) {
    Spline extra = loadText("begin_spline\ncontrol_count 3\ncurve_subdivision 1\nbegin_points\n"
                            "C: 1 1 1\nC: 2 2 2\nC: 3 3 3\nC: 4 4 4\ncurve_type 1\n");
    EXPECT_EQ(extra.pointsRead, 3);
    EXPECT_EQ(extra.curveType, 1);  // handled in the header after the fourth point
    Spline early = loadText(std::string(kFourPointsHeader) + "C: 1 1 1\nC: 2 2 2\nend_points\nC: 5 5 5\n");
    EXPECT_EQ(early.pointsRead, 2);
    EXPECT_FLOAT_EQ(early.controlPoints[3].position.x, 0.0f);
    const std::string padding(255 - 8, ' ');
    Spline longLine = loadText(std::string(kFourPointsHeader) + "C: 9 9 9" + padding + "C: 7 7 7\nend_points\n");
    EXPECT_EQ(longLine.pointsRead, 2);
    EXPECT_FLOAT_EQ(longLine.controlPoints[1].position.x, 7.0f);
}

TEST(SplineLoader, BadFilesGiveEmptyOrUntouchedSplines) {
    Spline absent(scratchPath("does-not-exist.sdf"));
    EXPECT_TRUE(absent.controlPoints.empty());
    EXPECT_EQ(absent.findSample(0.0f), -1);
    for (const char* counts : {"control_count 1e12\ncurve_subdivision 10\n", "control_count 5\ncurve_subdivision -3\n",
                               "control_count 100000\ncurve_subdivision 10000\n", "control_count nan\n"}) {
        Spline refused = loadText(splineText(counts, "C: 1 2 3\nC: 1 2 3\nC: 1 2 3\nC: 1 2 3\n"));
        EXPECT_TRUE(refused.controlPoints.empty() && refused.samples.empty()) << counts;
        EXPECT_EQ(refused.sampleCount, 0) << counts;
    }
    Spline noBlock = loadText("begin_spline\ncontrol_count 6\ncurve_subdivision 4\nend_spline\n");
    EXPECT_EQ(noBlock.sampleCount, 0);
    // Counts after the block and a second block change nothing.
    Spline twice = loadText(std::string(kFourPointsHeader) + "C: 1 0 0\nC: 2 0 0\nC: 3 0 0\nC: 4 0 0\nend_points\n"
                                                             "control_count 400\nbegin_points\nC: 8 8 8\n");
    EXPECT_EQ(twice.controlCount, 4);
    ASSERT_EQ(twice.controlPoints.size(), 4u);
    EXPECT_FLOAT_EQ(twice.controlPoints[0].position.x, 1.0f);
    EXPECT_EQ(twice.sampleCount, 2);
}
