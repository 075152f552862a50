#pragma once

#include "math/Vector3.h"

// Placeholder until the camera classes land: position, speed and the hooks the idle step calls.
class FlyCam {
public:
    Vector3 position;
    Vector3 angles;
    float speed = 1.0f;

    FlyCam() = default;
    FlyCam(const Vector3& position_, const Vector3& angles_) : position(position_), angles(angles_) {}
    virtual ~FlyCam() = default;
    virtual void steer() {}
    void update(float) {}
};
