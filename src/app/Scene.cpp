#include "app/Scene.h"

#include "camera/FlyCam.h"
#include "camera/FollowCam.h"
#include "camera/Player.h"

Scene::Scene(int width, int height)
    : windowWidth(width),
      windowHeight(height),
      aspectRatio(static_cast<float>(width) / static_cast<float>(height)),
      polygonMode(GL_FILL) {
    fixedTarget = Vector3(0.0f, 0.0f, 0.0f);
    fixedEye = Vector3(0.0f, 0.0f, 10.0f);
    rotationX = 0.0f;
    rotationY = 0.0f;
    flyCam = new FlyCam(Vector3(0.0f, 0.0f, -10.0f), Vector3(0.0f, 0.0f, 0.0f));
    flyCam->speed = 30.0f;
    followCam = new FollowCam();
    cameraMode = CameraMode::Follow;
    leftButtonDown = false;
    rightButtonDown = false;
    player = new Player();
}

Scene::~Scene() {
    delete flyCam;
    delete player;
    delete followCam;
}

Vector3 Scene::eyePosition() const {
    switch (cameraMode) {
        case CameraMode::Fixed: return fixedEye;
        case CameraMode::Fly: return flyCam->position;
        case CameraMode::Follow: return followCam->position;
    }
    return Vector3(0.0f, 0.0f, 0.0f);
}
