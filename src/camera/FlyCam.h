#pragma once

#include "math/Vector3.h"

// A free camera: yaw, pitch and roll, a position, and targets that both glide
// towards through damped springs. Flags (nonzero = held) move the targets.
class FlyCam {
public:
    Vector3 position;
    Vector3 viewCenter;  // position + forward
    Vector3 up;
    Vector3 forward;
    Vector3 right;       // cross(forward, up)
    Vector3 angles;      // yaw, pitch, roll in radians
    Vector3 targetAngles;
    Vector3 previousTargetAngles{1.0f, 0.0f, 1.0f};
    float speed = 30.0f;          // world units per second
    float rotationStep = 0.01f;   // radians per steer call
    Vector3 targetPosition{0.0f, 0.0f, -1.0f};
    Vector3 previousTargetPosition{0.0f, 0.0f, -1.0f};
    int moveLeft = 0;
    int moveRight = 0;
    int moveForward = 0;
    int moveBackward = 0;
    int moveUp = 0;
    int moveDown = 0;
    int turnLeft = 0;
    int pitchDown = 0;
    int bankRight = 0;
    int turnRight = 0;
    int pitchUp = 0;
    int bankLeft = 0;

    FlyCam() = default;
    // The target angles start at zero whatever `angles` says.
    FlyCam(const Vector3& position, const Vector3& angles);
    virtual ~FlyCam() = default;

    // forward, viewCenter, up and right from the angles.
    void updateVectors();
    // Re-centres the cursor and turns the target yaw and pitch by its offset.
    void mouseLook();
    // Springs the angles and the position, moving the target by the held flags.
    void update(float dt);
    // Turns the target angles by the held rotation flags, one step per call.
    virtual void steer();

protected:
    // Moves targetPosition by speed * dt along the axes of the held flags.
    void moveTarget(float dt);
};
