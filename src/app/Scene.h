#pragma once

#include <vector>

#include <GL/glew.h>

#include "app/CameraMode.h"
#include "app/Light.h"
#include "math/Vector3.h"

class FlyCam;
class FollowCam;
class Player;

// Cameras, player, window size, light, fixed view and mouse state.
class Scene {
public:
    FlyCam* flyCam = nullptr;
    FollowCam* followCam = nullptr;
    CameraMode cameraMode = CameraMode::Follow;
    Player* player = nullptr;
    int windowWidth;
    int windowHeight;
    float aspectRatio;
    std::vector<Light> lights;
    Vector3 fixedEye;
    float rotationX = 0.0f;  // degrees
    float rotationY = 0.0f;  // degrees
    Vector3 fixedTarget;
    int lastMouseX = 0;
    int lastMouseY = 0;
    bool leftButtonDown = false;
    bool rightButtonDown = false;
    GLenum polygonMode = GL_FILL;

    // Makes no OpenGL call: it runs before the window exists.
    Scene(int width, int height);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The eye point of the current camera mode.
    Vector3 eyePosition() const;
};
