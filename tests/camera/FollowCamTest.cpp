// The follow camera behind its subject.
#include <gtest/gtest.h>

#include "camera/FollowCam.h"

namespace {

Vector3 eyeOf(const Matrix4& view) {
    Matrix4 inverse = view;
    inverse.invert();
    return Vector3(inverse[12], inverse[13], inverse[14]);
}

// The view direction: the camera's -z axis in world coordinates.
Vector3 viewDirection(const Matrix4& view) { return Vector3(-view.at(2, 0), -view.at(2, 1), -view.at(2, 2)); }

}  // namespace

TEST(FollowCam, StartsWithIdentityViewAndFortyUnitsBehind) {
    FollowCam cam;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(cam.viewMatrix[i], (i % 5 == 0) ? 1.0f : 0.0f);
    EXPECT_FLOAT_EQ(cam.followDistance, -40.0f);
}

TEST(FollowCam, TargetsBehindTheSubjectAndLooksAtAQuarterOfTheWay) {
    FlyCam subject;
    subject.updateVectors();  // at the origin facing -z
    FollowCam cam;
    cam.position = Vector3(0, 0, 40);
    cam.target = Vector3(0, 0, 40);
    cam.follow(subject, 0.1f);
    EXPECT_FLOAT_EQ(cam.target.z, 40.0f);
    EXPECT_FLOAT_EQ(cam.previousTarget.z, 40.0f);
    // At the target the spring has no direction; step 4 lifts the camera 4 units along up.
    EXPECT_NEAR(cam.position.y, 4.0f, 1e-5f);
    EXPECT_NEAR(cam.position.z, 40.0f, 1e-5f);
    const Vector3 eye = eyeOf(cam.viewMatrix);
    EXPECT_NEAR(eye.y, 4.0f, 1e-4f);
    EXPECT_NEAR(eye.z, 40.0f, 1e-4f);
    Vector3 towardsLookedAt = Vector3(0, 0, 10) - eye;
    normalize(towardsLookedAt);
    const Vector3 direction = viewDirection(cam.viewMatrix);
    EXPECT_NEAR(dot(direction, towardsLookedAt), 1.0f, 1e-5f);
}

TEST(FollowCam, PositiveDistancePlacesTheTargetAheadAndPushesDown) {
    FlyCam subject;
    subject.updateVectors();
    FollowCam cam;
    cam.followDistance = 20.0f;
    cam.position = Vector3(0, 0, -20);
    cam.target = Vector3(0, 0, -20);
    cam.follow(subject, 0.1f);
    EXPECT_FLOAT_EQ(cam.target.z, -20.0f);
    EXPECT_NEAR(cam.position.y, -2.0f, 1e-5f);
}

TEST(FollowCam, GlidesIntoPlaceBehindAMovingSubject) {
    FlyCam subject;
    subject.updateVectors();
    FollowCam cam;
    for (int i = 0; i < 600; ++i) {
        subject.position = subject.position + Vector3(0, 0, -0.1f);
        cam.follow(subject, 0.01f);
    }
    // Behind the subject (larger z), above it by the lift the spring balances.
    EXPECT_GT(cam.position.z, subject.position.z + 30.0f);
    EXPECT_LT(cam.position.z, subject.position.z + 50.0f);
    EXPECT_GT(cam.position.y, 0.0f);
}
