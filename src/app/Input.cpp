#include "app/Input.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/AppState.h"
#include "app/CleanUp.h"
#include "app/Scene.h"
#include "camera/FlyCam.h"
#include "camera/FollowCam.h"
#include "camera/Player.h"

namespace {

Scene& scene() { return *appState.scene; }

// The fly camera's movement flag for a special key, or null for keys it ignores.
int* flyCamFlag(int key) {
    FlyCam& cam = *scene().flyCam;
    switch (key) {
        case GLUT_KEY_UP: return &cam.moveForward;
        case GLUT_KEY_DOWN: return &cam.moveBackward;
        case GLUT_KEY_LEFT: return &cam.moveLeft;
        case GLUT_KEY_RIGHT: return &cam.moveRight;
        case GLUT_KEY_PAGE_UP: return &cam.moveUp;
        case GLUT_KEY_PAGE_DOWN: return &cam.moveDown;
        default: return nullptr;
    }
}

// The keys that hold a player flag: 'a' and 'd' turn and bank together.
bool setPlayerFlags(unsigned char key, int value) {
    Player& player = *scene().player;
    switch (key) {
        case 'w': player.moveForward = value; return true;
        case 's': player.moveBackward = value; return true;
        case 'r': player.moveUp = value; return true;
        case 'f': player.moveDown = value; return true;
        case 'a': player.turnLeft = player.bankLeft = value; return true;
        case 'd': player.turnRight = player.bankRight = value; return true;
        default: return false;
    }
}

// Integer part of the sum, wrapped into (-360, 360) with the sign of the dividend.
int wrappedDegrees(int moved, float rotation) {
    return static_cast<int>(static_cast<float>(moved) + rotation) % 360;
}

void printAndFlush(const char* format, int a, int b) {
    std::printf(format, a, b);
    std::fflush(stdout);
}

// Tracks one button; a press also remembers the pointer and prints `pressed`. True on a press.
bool trackButtonAndReportPress(bool& down, int state, int x, int y, const char* pressed) {
    if (state == GLUT_UP) down = false;
    if (state != GLUT_DOWN) return false;
    Scene& s = scene();
    s.lastMouseX = x;
    s.lastMouseY = y;
    down = true;
    printAndFlush(pressed, x, y);
    return true;
}

void onLeftButton(int state, int x, int y) {
    if (trackButtonAndReportPress(scene().leftButtonDown, state, x, y, "[INFO] Left Button clicked at: %d %d\n"))
        scene().player->printPosition();
}

void onRightButton(int state, int x, int y) {
    trackButtonAndReportPress(scene().rightButtonDown, state, x, y, "[INFO] Right Button clicked at: %d %d\n");
}

}  // namespace

void onSpecialKeyDown(int key, int, int) {
    if (int* flag = flyCamFlag(key)) *flag = 1;
}

void onSpecialKeyUp(int key, int, int) {
    if (int* flag = flyCamFlag(key)) *flag = 0;
}

void onKeyDown(unsigned char key, int, int) {
    if (setPlayerFlags(key, 1)) return;
    Scene& s = scene();
    switch (key) {
        case 'c': s.cameraMode = CameraMode::Fly; break;
        case 'C': s.cameraMode = CameraMode::Fixed; break;
        case 'm': s.cameraMode = CameraMode::Follow; break;
        case 'p': cyclePolygonMode(); break;
        case 'R':
            resetSceneTransformations();
            std::cout << "[INFO] Scene transformations reset.\n" << std::endl;
            break;
        case '+': s.followCam->followDistance -= 1.0f; break;
        case '-': s.followCam->followDistance += 1.0f; break;
        case 27: quitApplication(); break;
        default: break;
    }
}

void onKeyUp(unsigned char key, int, int) {
    if (setPlayerFlags(key, 0)) return;
    if (key == 'l') scene().player->toggleFollowPath();
    else if (key == 'k') scene().player->cyclePathDisplay();
}

void cyclePolygonMode() {
    GLenum& mode = scene().polygonMode;
    if (mode == GL_FILL) mode = GL_LINE;
    else if (mode == GL_LINE) mode = GL_POINT;
    else if (mode == GL_POINT) mode = GL_FILL;
}

void resetSceneTransformations() {
    Scene& s = scene();
    s.fixedTarget = Vector3(0.0f, 0.0f, 0.0f);
    s.fixedEye = Vector3(0.0f, 0.0f, 10.0f);
    s.rotationX = 0.0f;
    s.rotationY = 0.0f;
}

// The middle button and any other button are ignored.
void onMouseButton(int button, int state, int x, int y) {
    if (button == GLUT_LEFT_BUTTON) onLeftButton(state, x, y);
    else if (button == GLUT_RIGHT_BUTTON) onRightButton(state, x, y);
}

void onMouseDrag(int x, int y) {
    Scene& s = scene();
    if (s.leftButtonDown && s.cameraMode == CameraMode::Fixed) {
        const int rx = wrappedDegrees(y - s.lastMouseY, s.rotationX);
        const int ry = wrappedDegrees(x - s.lastMouseX, s.rotationY);
        s.rotationX = static_cast<float>(rx);
        std::printf("[INFO] RotationX: %d\n", rx);
        s.rotationY = static_cast<float>(ry);
        std::printf("[INFO] RotationY: %d\n", ry);
        std::fflush(stdout);
    }
    s.lastMouseX = x;
    s.lastMouseY = y;
}

void onMouseMove(int, int) {
    Scene& s = scene();
    if (s.leftButtonDown || s.rightButtonDown) return;
    if (s.cameraMode == CameraMode::Fly) s.flyCam->mouseLook();
    else if (!s.player->followsPath) s.player->mouseLook();
}

void onMouseWheel(int wheel, int direction, int, int) {
    scene().fixedEye.z += static_cast<float>(direction);
    printAndFlush("[INFO] Wheel %d turned: %d\n", wheel, direction);
}

// A zero-sized (minimised) window keeps a valid projection: sizes count as at least 1.
void onReshape(int width, int height) {
    Scene& s = scene();
    s.windowWidth = width;
    s.windowHeight = height;
    s.aspectRatio = static_cast<float>(std::max(width, 1)) / static_cast<float>(std::max(height, 1));
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double a = static_cast<double>(s.aspectRatio);
    glFrustum(-0.04 * a, 0.04 * a, -0.04, 0.04, static_cast<double>(0.1f), 3000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
