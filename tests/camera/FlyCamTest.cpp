// The damped spring, the free camera and the follow camera.
#include <gtest/gtest.h>

#include "camera/DampedSpring.h"
#include "camera/FollowCam.h"
#include "platform/os/Cursor.h"
#include "support/ExpectNear.h"
#include "support/GlContext.h"

TEST(DampedSpring, StepsAlongTheLineAndReactsToTheTargetsMove) {
    const Vector3 p(0, 0, 5), q(0, 0, 0);
    expectNear(dampedSpring(p, q, q, 0.1f, kPositionSpring), Vector3(0, 0, 4));  // force 2.5 * (1 - 5)
    expectNear(dampedSpring(p, q, Vector3(0, 0, 3), 0.1f, kPositionSpring), Vector3(0, 0, 4.015f));
    expectNear(dampedSpring(q, q, Vector3(4, 4, 4), 0.1f, kPositionSpring), q);  // no direction at the target
}

TEST(FlyCam, MovesItsTargetAndSettlesOneUnitShort) {
    FlyCam cam(Vector3(0, 0, 0), Vector3(0, 0, 0));
    cam.updateVectors();
    cam.update(0.1f);
    expectNear(cam.position, Vector3(0, 0, 0));  // at rest 1 unit from (0, 0, -1)
    cam.moveForward = 1;
    cam.update(0.1f);
    expectNear(cam.targetPosition, Vector3(0, 0, -4));
    cam.moveForward = 0;
    for (int i = 0; i < 400; ++i) cam.update(0.02f);
    expectNear(cam.position, Vector3(0, 0, -3), 1e-3f);
    cam.moveLeft = cam.moveRight = cam.moveUp = 1;  // left and right cancel
    cam.update(0.1f);
    expectNear(cam.targetPosition, Vector3(0, 3, -4));
}

TEST(FlyCam, VectorsSteeringAndMouseLook) {
    GlContext context;
    FlyCam cam(Vector3(3, 4, 5), Vector3(0.7f, -0.4f, 1.1f));
    cam.updateVectors();
    EXPECT_NEAR(dot(cam.forward, cam.up), 0.0f, 1e-5f);
    expectNear(cam.viewCenter, cam.position + cam.forward);
    expectNear(cam.right, cross(cam.forward, cam.up));

    cam.previousTargetAngles = Vector3(0.5f, 0.5f, 0.5f);
    cam.turnLeft = cam.turnRight = cam.pitchDown = cam.bankRight = 1;
    cam.steer();
    expectNear(cam.targetAngles, Vector3(0.51f, 0.49f, 0.49f));  // the later flag of a pair wins

    ScreenRect rect;
    ASSERT_TRUE(activeWindowRect(rect));
    const int cx = rect.right / 2, cy = rect.bottom / 2;
    ASSERT_TRUE(setCursorPosition(cx, cy));
    cam.mouseLook();
    expectNear(cam.targetAngles, Vector3(0.51f, 0.49f, 0.49f));  // already at the reference point
    ASSERT_TRUE(setCursorPosition(cx + 50, cy - 25));
    cam.mouseLook();
    expectNear(cam.targetAngles, Vector3(0.6f, 0.55f, 0.0f));
    ScreenPoint cursor;
    ASSERT_TRUE(cursorPosition(cursor));
    EXPECT_EQ(cursor.x * 10000 + cursor.y, cx * 10000 + cy);
}

TEST(FollowCam, TrailsBehindTheSubjectLookingAQuarterOfTheWay) {
    FlyCam subject;
    subject.updateVectors();  // at the origin facing -z
    FollowCam cam;
    EXPECT_EQ(cam.viewMatrix[0] + cam.viewMatrix[5] + cam.viewMatrix[12], 2.0f);  // identity
    cam.position = cam.target = Vector3(0, 0, 40);
    cam.follow(subject, 0.1f);
    expectNear(cam.target, Vector3(0, 0, 40));
    expectNear(cam.position, Vector3(0, 4, 40));  // lifted 40 * dt along the subject's up
    const Vector4 lookedAt = transformPoint(cam.viewMatrix, Vector4(0, 0, 10, 1));
    EXPECT_NEAR(lookedAt.x, 0.0f, 1e-4f);
    EXPECT_NEAR(lookedAt.y, 0.0f, 1e-4f);  // (0, 0, 10) lies on the view axis
    EXPECT_LT(lookedAt.z, 0.0f);

    cam.followDistance = 20.0f;
    cam.position = cam.target = Vector3(0, 0, -20);
    cam.follow(subject, 0.1f);
    expectNear(cam.position, Vector3(0, -2, -20));  // ahead, and pushed down
}
