#include "camera/FlyCam.h"

#include <cmath>

#include "camera/DampedSpring.h"
#include "camera/MouseLook.h"

FlyCam::FlyCam(const Vector3& position_, const Vector3& angles_)
    : position(position_),
      angles(angles_),
      previousTargetAngles(0.0f, 0.0f, 0.0f),
      targetPosition(position_ + Vector3(0.0f, 0.0f, -1.0f)),
      previousTargetPosition(position_ + Vector3(0.0f, 0.0f, -1.0f)) {}

void FlyCam::updateVectors() {
    const float c0 = std::cos(angles.x), s0 = std::sin(angles.x);
    const float c1 = std::cos(angles.y), s1 = std::sin(angles.y);
    const float c2 = std::cos(angles.z), s2 = std::sin(angles.z);
    forward = Vector3(c1 * s0, s1, -c0 * c1);
    viewCenter = position + forward;
    up = Vector3(-c0 * s2 - s0 * s1 * c2, c1 * c2, c0 * s1 * c2 - s0 * s2);
    right = cross(forward, up);
}

void FlyCam::mouseLook() {
    int dx = 0, dy = 0;
    if (!recentreCursor(dx, dy)) return;
    targetAngles.x = previousTargetAngles.x - static_cast<float>(dx) / 500.0f;
    targetAngles.y = previousTargetAngles.y + static_cast<float>(dy) / 500.0f;
    targetAngles.z = 0.0f;
}

void FlyCam::moveTarget(float dt) {
    const float s = speed * dt;
    if (moveForward) targetPosition += s * forward;
    if (moveBackward) targetPosition -= s * forward;
    if (moveRight) targetPosition += s * right;
    if (moveLeft) targetPosition -= s * right;
    if (moveUp) targetPosition += s * up;
    if (moveDown) targetPosition -= s * up;
}

void FlyCam::update(float dt) {
    angles = dampedSpring(angles, targetAngles, previousTargetAngles, dt, kAngleSpring);
    previousTargetAngles = targetAngles;
    previousTargetPosition = targetPosition;
    moveTarget(dt);
    position = dampedSpring(position, targetPosition, previousTargetPosition, dt, kPositionSpring);
}

void FlyCam::steer() {
    if (turnLeft) targetAngles.x = previousTargetAngles.x - rotationStep;
    if (pitchDown) targetAngles.y = previousTargetAngles.y - rotationStep;
    if (bankRight) targetAngles.z = previousTargetAngles.z - rotationStep;
    if (turnRight) targetAngles.x = previousTargetAngles.x + rotationStep;
    if (pitchUp) targetAngles.y = previousTargetAngles.y + rotationStep;
    if (bankLeft) targetAngles.z = previousTargetAngles.z + rotationStep;
}
