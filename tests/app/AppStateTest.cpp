// The global state as static initialisation leaves it, before any window exists.
#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/Scene.h"
#include "camera/FlyCam.h"
#include "camera/FollowCam.h"
#include "camera/Player.h"
#include "support/ExpectNear.h"

TEST(AppState, ExistsBeforeMainWithEveryResourceEmpty) {
    ASSERT_NE(appState.scene, nullptr);
    EXPECT_EQ(appState.ambientShader, nullptr);
    EXPECT_EQ(appState.bumpShader, nullptr);
    EXPECT_EQ(appState.environment, nullptr);
    EXPECT_EQ(appState.asteroidField, nullptr);
    EXPECT_EQ(appState.planetModel, nullptr);
    EXPECT_EQ(appState.podiumModel, nullptr);
    EXPECT_EQ(appState.shipShadow, nullptr);
    EXPECT_EQ(appState.podiumShadow, nullptr);
    EXPECT_EQ(appState.planetDecalTexture, 0u);
    EXPECT_FALSE(appState.reflectiveShip);
    EXPECT_TRUE(appState.firstReflectiveFrame);
    EXPECT_TRUE(appState.firstIdle);
    EXPECT_TRUE(appState.frameTimer.running);
    expectNear(appState.podiumTransform, translation(Vector3(220, -15, -470)), 0.0f);
}

TEST(Scene, StartsWithTheFollowCameraAndDefaults) {
    const Scene& scene = *appState.scene;
    EXPECT_EQ(scene.cameraMode, CameraMode::Follow);
    EXPECT_EQ(scene.polygonMode, static_cast<GLenum>(GL_FILL));
    EXPECT_TRUE(scene.lights.empty());
    EXPECT_EQ(scene.windowWidth, 1024);
    EXPECT_EQ(scene.windowHeight, 768);
    EXPECT_FLOAT_EQ(scene.aspectRatio, 1024.0f / 768.0f);
    EXPECT_FALSE(scene.leftButtonDown);
    EXPECT_FALSE(scene.rightButtonDown);
    ASSERT_NE(scene.flyCam, nullptr);
    ASSERT_NE(scene.followCam, nullptr);
    ASSERT_NE(scene.player, nullptr);
    EXPECT_EQ(scene.flyCam->speed, 30.0f);
    EXPECT_EQ(scene.flyCam->position.z, -10.0f);
}

TEST(Scene, EyePositionFollowsTheCameraMode) {
    Scene scene(800, 600);
    scene.flyCam->position = Vector3(1, 2, 3);
    scene.followCam->position = Vector3(-4, 5, -6);

    scene.cameraMode = CameraMode::Fixed;
    EXPECT_EQ(scene.eyePosition().z, 10.0f);
    scene.cameraMode = CameraMode::Fly;
    EXPECT_EQ(scene.eyePosition().y, 2.0f);
    scene.cameraMode = CameraMode::Follow;
    EXPECT_EQ(scene.eyePosition().x, -4.0f);
    scene.cameraMode = static_cast<CameraMode>(7);
    expectNear(scene.eyePosition(), Vector3(0, 0, 0), 0.0f);
}
