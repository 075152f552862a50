// The player: roll limit, path following and the one switch, free flight, the
// model matrix, the display presets and the position line.
#include <string>

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "camera/Player.h"
#include "shading/TextureFile.h"
#include "spline/Spline.h"
#include "spline/SplineFiles.h"
#include "support/CapturedOutput.h"
#include "support/Scratch.h"

namespace {

// A straight Catmull-Rom path along -z: 10 units and 10 samples per segment.
Spline* straightPath(const std::string& name, int points) {
    std::string lines;
    for (int i = 0; i < points; ++i) lines += "C: 0 0 " + std::to_string(-10 * i) + "\n";
    const std::string header = "control_count " + std::to_string(points) + "\ncurve_subdivision 10\ncurve_type 1\n";
    return new Spline(writeScratchFile(name, splineText(header, lines)));
}

float determinant3(const Matrix4& m) {
    return dot(Vector3(m[0], m[1], m[2]), cross(Vector3(m[4], m[5], m[6]), Vector3(m[8], m[9], m[10])));
}

class PlayerOnPaths : public testing::Test {
protected:
    Spline* first = straightPath("first.sdf", 6);  // arc length 27
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
    player.previousTargetAngles.z = -0.5f;
    // bankRight, bankLeft, roll, and the target roll that follows (9 = unchanged).
    const float cases[][4] = {{1, 0, -0.69f, -0.51f}, {1, 0, -0.71f, 9}, {0, 0, -0.71f, -0.49f},
                              {0, 0, 0.3f, -0.51f},   {0, 0, 0.0f, 9},   {1, 1, 0.2f, -0.51f}};
    for (const auto& c : cases) {
        player.bankRight = static_cast<int>(c[0]);
        player.bankLeft = static_cast<int>(c[1]);
        player.angles.z = c[2];
        player.targetAngles.z = 9;
        player.steer();
        EXPECT_FLOAT_EQ(player.targetAngles.z, c[3]) << c[0] << c[1] << " roll " << c[2];
    }
}

TEST_F(PlayerOnPaths, FollowsTheFirstPathThenSwitchesOnceAndHolds) {
    player.update(0.5f);
    EXPECT_FLOAT_EQ(player.pathPosition, 15.0f);
    EXPECT_FLOAT_EQ(player.targetPosition.z, first->samples[first->findSample(15.0f)].position.z);
    EXPECT_FLOAT_EQ(player.right.x, -1.0f);  // cross(up, forward) with forward -z
    const Vector3 reached = player.targetPosition;
    player.update(0.5f);  // 30 is past the end
    EXPECT_FLOAT_EQ(player.targetPosition.z, reached.z);
    EXPECT_EQ(player.currentPath, second);
    EXPECT_FLOAT_EQ(player.pathPosition, 0.0f);
    EXPECT_FLOAT_EQ(player.speed, 1.0f);
    EXPECT_FALSE(player.onFirstPath);
    EXPECT_TRUE(appState.reflectiveShip);
    player.pathPosition = 19.5f;
    player.update(1.0f);
    EXPECT_FLOAT_EQ(player.pathPosition, 19.5f);  // the end of the second path only holds
    EXPECT_EQ(player.currentPath, second);
}

TEST_F(PlayerOnPaths, FreeFlightKeepsAProperModelMatrixAndItsSpeed) {
    player.position = Vector3(1, 2, 3);
    player.update(0.1f);
    player.updateModelMatrix();
    EXPECT_NEAR(determinant3(player.modelMatrix), 1.0f, 1e-4f);
    player.toggleFollowPath();
    EXPECT_FLOAT_EQ(player.speed, 40.0f);
    player.angles = Vector3(0.4f, -0.2f, 0.3f);
    player.updateModelMatrix();
    EXPECT_NEAR(determinant3(player.modelMatrix), 1.0f, 1e-4f);  // not mirrored off the path
    EXPECT_NEAR(player.modelMatrix[8], player.forward.x, 1e-6f);
    EXPECT_FLOAT_EQ(player.modelMatrix[12], player.position.x);
    player.moveForward = 1;
    const Vector3 before = player.targetPosition;
    player.update(0.1f);
    EXPECT_NEAR(length(player.targetPosition - before), 4.0f, 1e-4f);
    player.toggleFollowPath();
    EXPECT_FLOAT_EQ(player.pathPosition, 0.0f);
    EXPECT_FLOAT_EQ(player.speed, 40.0f);
}

TEST_F(PlayerOnPaths, PathDisplayCyclesFourPresetsOnTheCurrentPath) {
    const int expected[5][3] = {{0, 1, 0}, {2, 1, 0}, {2, 1, 3}, {0, 0, 0}, {0, 1, 0}};
    for (const auto& modes : expected) {
        player.cyclePathDisplay();
        EXPECT_EQ(first->displayControlMode * 100 + first->displayCurveMode * 10 + first->displayOrientationMode,
                  modes[0] * 100 + modes[1] * 10 + modes[2]);
    }
    EXPECT_EQ(second->displayCurveMode, 0);
}

TEST_F(PlayerOnPaths, WithoutASecondPathStaysAtTheEndAndWithoutAnyDoesNothing) {
    player.paths.pop_back();
    player.update(100.0f);
    EXPECT_EQ(player.currentPath, first);
    EXPECT_TRUE(player.onFirstPath);
    Player lonely;
    lonely.update(0.5f);
    lonely.cyclePathDisplay();
    EXPECT_FLOAT_EQ(lonely.pathPosition, 0.0f);
}

TEST(PlayerOutput, PrintsPositionInDefaultFloatFormat) {
    Player player;
    player.position = Vector3(1.5f, -2.0f, 1234567.0f);
    EXPECT_EQ(captured([&] { player.printPosition(); }).out, "Current Position: X=1.5 Y=-2 Z=1.23457e+06\n");
}
