// The damped spring and the free camera: its vectors, springs, movement, steering and mouse look.
#include <cmath>

#include <gtest/gtest.h>

#include "camera/DampedSpring.h"
#include "camera/FlyCam.h"
#include "camera/MouseLook.h"
#include "platform/os/Cursor.h"
#include "support/GlContext.h"

namespace {

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(DampedSpring, StepsAlongTheLineAndReactsToTheTargetsMove) {
    const Vector3 p(0, 0, 5), q(0, 0, 0);
    // At rest the force is k (L - len) = 2.5 * (1 - 5) = -10; one step of 0.1 moves 1 unit closer.
    expectNear(dampedSpring(p, q, q, 0.1f, kPositionSpring), Vector3(0, 0, 4));
    // The target moved by -3 along z: W = 0.1 * (0, 0, 3), W.D / len = 0.3, times c = 0.5.
    expectNear(dampedSpring(p, q, Vector3(0, 0, 3), 0.1f, kPositionSpring), Vector3(0, 0, 4.015f));
    expectNear(dampedSpring(q, q, Vector3(4, 4, 4), 0.1f, kPositionSpring), q);  // no direction at the target
}

TEST(FlyCam, ConstructorsSetTheirDefaults) {
    FlyCam positioned(Vector3(1, 2, 3), Vector3(0.5f, 0.25f, 0.125f));
    expectNear(positioned.targetPosition, Vector3(1, 2, 2));
    expectNear(positioned.targetAngles, Vector3(0, 0, 0));
    expectNear(positioned.previousTargetAngles, Vector3(0, 0, 0));
    FlyCam plain;
    expectNear(plain.previousTargetAngles, Vector3(1, 0, 1));
    expectNear(plain.targetPosition, Vector3(0, 0, -1));
    EXPECT_FLOAT_EQ(plain.speed, 30.0f);
}

TEST(FlyCam, VectorsFollowTheOrientationConvention) {
    FlyCam cam;
    cam.updateVectors();
    expectNear(cam.forward, Vector3(0, 0, -1));
    expectNear(cam.up, Vector3(0, 1, 0));
    expectNear(cam.right, Vector3(1, 0, 0));
    cam.angles = Vector3(0.3f, 0.0f, 0.0f);
    cam.updateVectors();
    EXPECT_GT(cam.forward.x, 0.0f);  // yaw turns towards +x
    cam.angles = Vector3(0.0f, 0.0f, 0.3f);
    cam.updateVectors();
    EXPECT_LT(cam.up.x, 0.0f);  // roll tilts up towards -x
    cam.angles = Vector3(0.7f, -0.4f, 1.1f);
    cam.position = Vector3(3, 4, 5);
    cam.updateVectors();
    EXPECT_NEAR(length(cam.forward), 1.0f, 1e-5f);
    EXPECT_NEAR(length(cam.up), 1.0f, 1e-5f);
    EXPECT_NEAR(dot(cam.forward, cam.up), 0.0f, 1e-5f);
    expectNear(cam.viewCenter, cam.position + cam.forward);
}

TEST(FlyCam, RestsOneUnitFromItsTargetAndSettlesThereAfterMoving) {
    FlyCam cam(Vector3(0, 0, 0), Vector3(0, 0, 0));
    cam.updateVectors();
    cam.update(0.1f);
    expectNear(cam.position, Vector3(0, 0, 0));

    cam.moveForward = 1;
    cam.update(0.1f);
    expectNear(cam.targetPosition, Vector3(0, 0, -4));
    cam.moveForward = 0;
    for (int i = 0; i < 400; ++i) cam.update(0.02f);
    expectNear(cam.position, Vector3(0, 0, -3), 1e-3f);

    cam.moveLeft = cam.moveRight = cam.moveUp = 1;
    cam.update(0.1f);
    expectNear(cam.targetPosition, Vector3(0, 3, -4));
}

TEST(FlyCam, SteerStepsFromThePreviousTargetAndTheLaterFlagWins) {
    FlyCam cam(Vector3(0, 0, 0), Vector3(0, 0, 0));
    cam.previousTargetAngles = Vector3(0.5f, 0.5f, 0.5f);
    cam.turnLeft = cam.turnRight = 1;
    cam.pitchDown = 1;
    cam.bankRight = 1;
    cam.steer();
    expectNear(cam.targetAngles, Vector3(0.51f, 0.49f, 0.49f));
}

TEST(MouseLookReference, HalvesRoundTowardsMinusInfinity) {
    EXPECT_EQ(halfTowardsMinusInfinity(1074), 537);
    EXPECT_EQ(halfTowardsMinusInfinity(7), 3);
    EXPECT_EQ(halfTowardsMinusInfinity(-1), -1);
    EXPECT_EQ(halfTowardsMinusInfinity(-7), -4);
    EXPECT_EQ(halfTowardsMinusInfinity(-8), -4);
}

TEST(FlyCamMouseLook, TurnsByThePointerOffsetAndRecentresIt) {
    GlContext context;
    ScreenRect rect;
    ASSERT_TRUE(activeWindowRect(rect));
    const int cx = rect.right / 2, cy = rect.bottom / 2;
    FlyCam cam(Vector3(0, 0, 0), Vector3(0, 0, 0));
    cam.previousTargetAngles = Vector3(0.2f, 0.1f, 0.3f);
    cam.targetAngles = Vector3(9, 9, 9);

    ASSERT_TRUE(setCursorPosition(cx, cy));
    cam.mouseLook();
    expectNear(cam.targetAngles, Vector3(9, 9, 9));  // already at the reference point

    ASSERT_TRUE(setCursorPosition(cx + 50, cy - 25));
    cam.mouseLook();
    expectNear(cam.targetAngles, Vector3(0.3f, 0.15f, 0.0f));
    ScreenPoint cursor;
    ASSERT_TRUE(cursorPosition(cursor));
    EXPECT_EQ(cursor.x, cx);
    EXPECT_EQ(cursor.y, cy);
}
