// The input handlers on the program's global state: what keys, wheel, drag and reshape set.
#include <cmath>
#include <string>
#include <tuple>
#include <utility>

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "camera/FlyCam.h"
#include "camera/FollowCam.h"
#include "camera/Player.h"
#include "support/GlContext.h"

namespace {

// The names of the movement and rotation flags that are set; "=?" marks a value other than 1.
std::string heldFlags(const FlyCam& cam) {
    const std::pair<const char*, int FlyCam::*> flags[] = {
        {"moveLeft", &FlyCam::moveLeft},   {"moveRight", &FlyCam::moveRight}, {"moveForward", &FlyCam::moveForward},
        {"moveBackward", &FlyCam::moveBackward}, {"moveUp", &FlyCam::moveUp}, {"moveDown", &FlyCam::moveDown},
        {"turnLeft", &FlyCam::turnLeft},   {"pitchDown", &FlyCam::pitchDown}, {"bankRight", &FlyCam::bankRight},
        {"turnRight", &FlyCam::turnRight}, {"pitchUp", &FlyCam::pitchUp},    {"bankLeft", &FlyCam::bankLeft}};
    std::string held;
    for (const auto& [name, flag] : flags)
        if (cam.*flag) held += std::string(held.empty() ? "" : " ") + name + (cam.*flag == 1 ? "" : "=?");
    return held;
}

}  // namespace

TEST(InputHandlers, SetTheStateEachKeyWheelDragAndReshapeNames) {
    GlContext gl;
    Scene& scene = *appState.scene;
    FlyCam& flyCam = *scene.flyCam;
    Player& player = *scene.player;

    // Special keys hold the fly camera's flags, in any camera mode; character keys the player's.
    const struct { bool special; int key; const char* holds; } keys[] = {
        {true, GLUT_KEY_UP, "moveForward"}, {true, GLUT_KEY_DOWN, "moveBackward"}, {true, GLUT_KEY_LEFT, "moveLeft"},
        {true, GLUT_KEY_RIGHT, "moveRight"}, {true, GLUT_KEY_PAGE_UP, "moveUp"}, {true, GLUT_KEY_PAGE_DOWN, "moveDown"},
        {true, GLUT_KEY_HOME, ""},          {false, 'w', "moveForward"},       {false, 's', "moveBackward"},
        {false, 'r', "moveUp"},             {false, 'f', "moveDown"},          {false, 'a', "turnLeft bankLeft"},
        {false, 'd', "bankRight turnRight"}, {false, 'q', ""}};
    for (const auto& k : keys) {
        if (k.special) onSpecialKeyDown(k.key, 0, 0);
        else onKeyDown(static_cast<unsigned char>(k.key), 0, 0);
        EXPECT_EQ(heldFlags(k.special ? flyCam : player), k.holds);
        EXPECT_EQ(heldFlags(k.special ? player : flyCam), "");
        if (k.special) onSpecialKeyUp(k.key, 0, 0);
        else onKeyUp(static_cast<unsigned char>(k.key), 0, 0);
        EXPECT_EQ(heldFlags(flyCam) + heldFlags(player), "");
    }

    // '+' puts the follow camera one unit further behind, '-' one unit nearer; a wheel notch moves the
    // fixed eye one unit along z, in any camera mode.
    const struct { unsigned char key; int notch; float followDistance, eyeZ; } steps[] = {
        {'+', 0, -41.0f, 10.0f}, {'-', 0, -40.0f, 10.0f}, {'-', 0, -39.0f, 10.0f},
        {0, 1, -39.0f, 11.0f},   {0, -1, -39.0f, 10.0f},  {0, -1, -39.0f, 9.0f}};
    for (const auto& s : steps) {
        if (s.key) onKeyDown(s.key, 0, 0);
        else onMouseWheel(0, s.notch, 0, 0);
        EXPECT_EQ(scene.followCam->followDistance, s.followDistance) << s.key << s.notch;
        EXPECT_EQ(scene.fixedEye.z, s.eyeZ) << s.key << s.notch;
    }

    // A left-button drag in the fixed view: whole degrees, wrapped with the sign of the sum.
    scene.cameraMode = CameraMode::Fixed;
    onMouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    const struct { float start; int dx, dy; float rotationX, rotationY; } drags[] = {
        {0.0f, 400, -30, -30.0f, 40.0f}, {0.0f, -370, 370, 10.0f, -10.0f}, {350.0f, -20, 20, 10.0f, 330.0f},
        {-350.0f, 5, -20, -10.0f, -345.0f}};
    for (const auto& d : drags) {
        scene.rotationX = scene.rotationY = d.start;
        scene.lastMouseX = scene.lastMouseY = 0;
        onMouseDrag(d.dx, d.dy);
        EXPECT_EQ(scene.rotationX, d.rotationX) << d.start << " " << d.dy;
        EXPECT_EQ(scene.rotationY, d.rotationY) << d.start << " " << d.dx;
    }

    // Reshape: a frustum 0.04 * aspect wide and 0.04 high each side at near 0.1, far 3000.
    for (const auto& [width, height, halfWidth] : {std::tuple{800, 600, 0.053333}, std::tuple{600, 800, 0.03}}) {
        onReshape(width, height);
        EXPECT_EQ(scene.aspectRatio, static_cast<float>(width) / static_cast<float>(height));
        GLfloat m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, m);
        const double near = m[14] / (m[10] - 1.0), far = m[14] / (m[10] + 1.0);
        EXPECT_NEAR(near, 0.1, 1e-6);
        EXPECT_NEAR(far, 3000.0, 30.0);
        EXPECT_NEAR(near / m[0], halfWidth, 1e-5) << width;
        EXPECT_NEAR(near / m[5], 0.04, 1e-6);
        EXPECT_EQ(std::fabs(m[8]) + std::fabs(m[9]), 0.0f);  // centred: left = -right, bottom = -top
    }
}
