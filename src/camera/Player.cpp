#include "camera/Player.h"

#include <iostream>

#include "app/AppState.h"
#include "camera/DampedSpring.h"
#include "camera/MouseLook.h"
#include "platform/model/Model3ds.h"
#include "shading/TextureFile.h"
#include "spline/Spline.h"

namespace {

const char* const kDecalPath = "../resources/models/spaceFighter/spaceFighter.tga";
const char* const kNormalPath = "../resources/models/spaceFighter/spaceFighter_NRM.tga";

struct PathDisplayPreset {
    int control;
    int curve;
    int orientation;
};

const PathDisplayPreset kPathDisplayPresets[4] = {{0, 0, 0}, {0, 1, 0}, {2, 1, 0}, {2, 1, 3}};

}  // namespace

Player::Player() : model(new Model3ds()) {}

Player::~Player() { delete model; }

void Player::loadDecalTexture() { decalTexture = loadTextureReportingErrors(kDecalPath); }

void Player::loadNormalTexture() { normalTexture = loadTextureReportingErrors(kNormalPath); }

void Player::steer() {
    if (turnLeft) targetAngles.x = previousTargetAngles.x - rotationStep;
    if (pitchDown) targetAngles.y = previousTargetAngles.y - rotationStep;
    if (turnRight) targetAngles.x = previousTargetAngles.x + rotationStep;
    if (pitchUp) targetAngles.y = previousTargetAngles.y + rotationStep;
    const float roll = angles.z;
    if (bankRight && roll > -kRollLimit) targetAngles.z = previousTargetAngles.z - rotationStep;
    else if (bankLeft && roll < kRollLimit) targetAngles.z = previousTargetAngles.z + rotationStep;
    else if (!bankRight && roll < 0.0f) targetAngles.z = previousTargetAngles.z + rotationStep;
    else if (!bankLeft && roll > 0.0f) targetAngles.z = previousTargetAngles.z - rotationStep;
}

void Player::update(float dt) {
    angles = dampedSpring(angles, targetAngles, previousTargetAngles, dt, kAngleSpring);
    previousTargetAngles = targetAngles;
    previousTargetPosition = targetPosition;
    if (followsPath) followPath(dt);
    else moveTarget(dt);
    position = dampedSpring(position, targetPosition, previousTargetPosition, dt, kPositionSpring);
}

void Player::followPath(float dt) {
    if (!currentPath) return;
    previousPathPosition = pathPosition;
    pathPosition += speed * dt;
    const int index = currentPath->findSample(pathPosition);
    if (index < 0) {
        pathPosition = previousPathPosition;  // stay at the last sample reached
        if (onFirstPath) switchToSecondPath();
        return;
    }
    const CurveSample& sample = currentPath->samples[index];
    targetPosition = sample.position;
    forward = sample.tangent;
    up = Vector3(0.0f, 1.0f, 0.0f);
    right = cross(up, forward);
}

// Happens once: without a second path the fighter just stays at the end of the first.
void Player::switchToSecondPath() {
    if (paths.size() < 2 || !paths[1]) return;
    currentPath = paths[1];
    pathPosition = 0.0f;
    previousPathPosition = 0.0f;
    appState.reflectiveShip = true;
    speed = kSecondPathSpeed;
    onFirstPath = false;
}

void Player::mouseLook() {
    int dx = 0, dy = 0;
    if (!recentreCursor(dx, dy)) return;
    targetAngles.x = previousTargetAngles.x;
    targetAngles.y = previousTargetAngles.y + static_cast<float>(dy) / 500.0f;
    targetAngles.z = previousTargetAngles.z;
}

void Player::updateModelMatrix() {
    if (!followsPath) updateVectors();
    // The model's x axis is cross(up, forward) in both states: the fly camera's
    // right, cross(forward, up), would mirror the fighter.
    modelMatrix = product(translation(position), fromAxes(cross(up, forward), up, forward));
}

void Player::toggleFollowPath() {
    followsPath = !followsPath;
    if (followsPath) {
        pathPosition = 0.0f;
        previousPathPosition = 0.0f;
    } else {
        speed = kFreeFlightSpeed;
    }
}

void Player::cyclePathDisplay() {
    pathDisplayMode = (pathDisplayMode + 1) % 4;
    if (!currentPath) return;
    const PathDisplayPreset& preset = kPathDisplayPresets[pathDisplayMode];
    currentPath->displayControlMode = preset.control;
    currentPath->displayCurveMode = preset.curve;
    currentPath->displayOrientationMode = preset.orientation;
}

void Player::printPosition() const {
    std::cout << "Current Position: X=" << position.x << " Y=" << position.y << " Z=" << position.z << std::endl;
}
