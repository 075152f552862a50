// The player: roll limit and levelling, path following and the one switch, free
// flight, the model matrix, the path display presets, its textures and its position line.
#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include <GL/glew.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "app/AppState.h"
#include "camera/Player.h"
#include "platform/os/Cursor.h"
#include "spline/Spline.h"
#include "spline/SplineFiles.h"
#include "support/GlContext.h"

namespace {

// A straight path along -z, 10 units per segment, sampled 10 times per segment.
Spline* straightPath(const std::string& name, int points) {
    std::string lines;
    for (int i = 0; i < points; ++i) lines += "C: 0 0 " + std::to_string(-10 * i) + "\n";
    return new Spline(writeSplineFile(
        name, splineText("control_count " + std::to_string(points) + "\ncurve_subdivision 10\ncurve_type 1\n", lines)));
}

float determinant3(const Matrix4& m) {
    return m.at(0, 0) * (m.at(1, 1) * m.at(2, 2) - m.at(1, 2) * m.at(2, 1)) -
           m.at(0, 1) * (m.at(1, 0) * m.at(2, 2) - m.at(1, 2) * m.at(2, 0)) +
           m.at(0, 2) * (m.at(1, 0) * m.at(2, 1) - m.at(1, 1) * m.at(2, 0));
}

class PlayerOnPaths : public testing::Test {
protected:
    Spline* first = straightPath("first.sdf", 6);   // 30 samples, arc length 27
    Spline* second = straightPath("second.sdf", 5);
    Player player;

    PlayerOnPaths() {
        appState.reflectiveShip = false;
        player.paths = {first, second};
        player.currentPath = first;
    }
    ~PlayerOnPaths() override {
        delete first;
        delete second;
    }
};

}  // namespace

TEST(PlayerSteer, BanksUntilTheRollLimitAndLevelsWithoutKeys) {
    Player player;
    player.previousTargetAngles = Vector3(0, 0, -0.5f);
    player.bankRight = 1;
    player.angles.z = -0.69f;
    player.steer();
    EXPECT_FLOAT_EQ(player.targetAngles.z, -0.51f);
    player.targetAngles.z = 0.0f;
    player.angles.z = -0.71f;
    player.steer();
    EXPECT_FLOAT_EQ(player.targetAngles.z, 0.0f);  // held at the limit

    player.bankRight = 0;
    player.steer();
    EXPECT_FLOAT_EQ(player.targetAngles.z, -0.49f);  // levelling back up
    player.angles.z = 0.3f;
    player.steer();
    EXPECT_FLOAT_EQ(player.targetAngles.z, -0.51f);  // levelling back down
    player.targetAngles.z = 7.0f;
    player.angles.z = 0.0f;
    player.steer();
    EXPECT_FLOAT_EQ(player.targetAngles.z, 7.0f);  // level: unchanged

    player.bankLeft = player.bankRight = 1;
    player.angles.z = 0.2f;
    player.steer();
    EXPECT_FLOAT_EQ(player.targetAngles.z, -0.51f);  // right wins while it can bank
}

TEST_F(PlayerOnPaths, AdvancesBySpeedAndTakesTheSamplesFrame) {
    player.update(0.5f);
    EXPECT_FLOAT_EQ(player.pathPosition, 15.0f);
    EXPECT_FLOAT_EQ(player.previousPathPosition, 0.0f);
    const CurveSample& sample = first->samples[first->findSample(15.0f)];
    EXPECT_FLOAT_EQ(player.targetPosition.z, sample.position.z);
    EXPECT_FLOAT_EQ(player.forward.z, -1.0f);
    EXPECT_FLOAT_EQ(player.right.x, -1.0f);  // cross(up, forward)
}

TEST_F(PlayerOnPaths, SwitchesOnceToTheSecondPathAndThenHoldsAtItsEnd) {
    player.update(0.5f);
    const Vector3 reached = player.targetPosition;
    player.update(0.5f);  // 30 is past the end of the first path
    EXPECT_FLOAT_EQ(player.targetPosition.z, reached.z);
    EXPECT_EQ(player.currentPath, second);
    EXPECT_FLOAT_EQ(player.pathPosition, 0.0f);
    EXPECT_FLOAT_EQ(player.speed, 1.0f);
    EXPECT_FALSE(player.onFirstPath);
    EXPECT_TRUE(appState.reflectiveShip);

    player.pathPosition = 19.5f;
    player.update(1.0f);
    EXPECT_FLOAT_EQ(player.pathPosition, 19.5f);  // past the end: only the distance holds
    EXPECT_EQ(player.currentPath, second);
}

TEST_F(PlayerOnPaths, FreeFlightAndBackRestartsThePathAtFreeFlightSpeed) {
    player.update(0.5f);
    player.toggleFollowPath();
    EXPECT_FALSE(player.followsPath);
    EXPECT_FLOAT_EQ(player.speed, 40.0f);
    player.updateModelMatrix();
    player.moveForward = 1;
    const Vector3 before = player.targetPosition;
    player.update(0.1f);
    EXPECT_NEAR(length(player.targetPosition - before), 4.0f, 1e-4f);
    player.toggleFollowPath();
    EXPECT_TRUE(player.followsPath);
    EXPECT_FLOAT_EQ(player.pathPosition, 0.0f);
    EXPECT_FLOAT_EQ(player.speed, 40.0f);
}

TEST_F(PlayerOnPaths, ModelMatrixIsAProperRotationOnAndOffThePath) {
    player.position = Vector3(1, 2, 3);
    player.update(0.1f);
    player.updateModelMatrix();
    EXPECT_NEAR(determinant3(player.modelMatrix), 1.0f, 1e-4f);
    player.toggleFollowPath();
    player.angles = Vector3(0.4f, -0.2f, 0.3f);
    player.updateModelMatrix();
    EXPECT_NEAR(determinant3(player.modelMatrix), 1.0f, 1e-4f);
    EXPECT_FLOAT_EQ(player.modelMatrix[12], player.position.x);
    // The model's z axis points along forward, its y axis along up.
    EXPECT_NEAR(player.modelMatrix.at(0, 2), player.forward.x, 1e-6f);
    EXPECT_NEAR(player.modelMatrix.at(1, 1), player.up.y, 1e-6f);
}

TEST_F(PlayerOnPaths, PathDisplayCyclesFourPresetsOnTheCurrentPath) {
    const int expected[5][3] = {{0, 1, 0}, {2, 1, 0}, {2, 1, 3}, {0, 0, 0}, {0, 1, 0}};
    for (const auto& modes : expected) {
        player.cyclePathDisplay();
        EXPECT_EQ(first->displayControlMode, modes[0]);
        EXPECT_EQ(first->displayCurveMode, modes[1]);
        EXPECT_EQ(first->displayOrientationMode, modes[2]);
    }
    EXPECT_EQ(player.pathDisplayMode, 1);
    EXPECT_EQ(second->displayCurveMode, 0);
}

TEST(PlayerWithoutPaths, UpdatesAndCyclesSafely) {
    Player player;
    player.update(0.5f);
    player.cyclePathDisplay();
    player.updateModelMatrix();
    EXPECT_FLOAT_EQ(player.pathPosition, 0.0f);
    EXPECT_EQ(player.pathDisplayMode, 1);
    Spline* only = straightPath("only.sdf", 4);
    player.paths = {only};
    player.currentPath = only;
    player.update(100.0f);  // past the end, and no second path to switch to
    EXPECT_EQ(player.currentPath, only);
    EXPECT_TRUE(player.onFirstPath);
    delete only;
}

TEST(PlayerOutput, PrintsPositionInDefaultFloatFormat) {
    Player player;
    player.position = Vector3(1.5f, -2.0f, 1234567.0f);
    testing::internal::CaptureStdout();
    player.printPosition();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Current Position: X=1.5 Y=-2 Z=1.23457e+06\n");
}

TEST(PlayerTextures, LoadsAnImageAndReportsAMissingOne) {
    GlContext context;
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    // An uncompressed 2x2 true-colour TGA.
    const std::string good = std::string(ZEN_TEST_TMP_DIR) + "/player-texture.tga";
    const unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0};
    std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(header), 18) << std::string(12, '\x7f');

    testing::internal::CaptureStderr();
    const GLuint texture = loadTextureReportingErrors(good);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(texture, 0u);
    EXPECT_TRUE(glIsTexture(texture));

    const std::string missing = std::string(ZEN_TEST_TMP_DIR) + "/no-such-texture.tga";
    testing::internal::CaptureStderr();
    loadTextureReportingErrors(missing);
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_EQ(error.rfind("[ERROR] Could not load texture " + missing + ": ", 0), 0u) << error;
    EXPECT_GT(error.size(), ("[ERROR] Could not load texture " + missing + ": \n").size());
}

TEST(PlayerMouseLook, PitchesOnlyAndRecentresTheCursor) {
    GlContext context;
    ScreenRect rect;
    ASSERT_TRUE(activeWindowRect(rect));
    const int cx = rect.right / 2, cy = rect.bottom / 2;
    Player player;
    player.previousTargetAngles = Vector3(0.2f, 0.1f, 0.3f);
    ASSERT_TRUE(setCursorPosition(cx + 40, cy));
    player.mouseLook();
    EXPECT_FLOAT_EQ(player.targetAngles.x, 0.2f);
    EXPECT_FLOAT_EQ(player.targetAngles.y, 0.1f);
    EXPECT_FLOAT_EQ(player.targetAngles.z, 0.3f);
    ScreenPoint cursor;
    ASSERT_TRUE(cursorPosition(cursor));
    EXPECT_EQ(cursor.x, cx);
    ASSERT_TRUE(setCursorPosition(cx, cy + 50));
    player.mouseLook();
    EXPECT_FLOAT_EQ(player.targetAngles.y, 0.0f);  // pointer down lowers the pitch
}
