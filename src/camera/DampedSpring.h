#pragma once

#include "math/Vector3.h"

// Constants of the spring steps: stiffness, damping and rest length.
struct SpringConstants {
    float stiffness;
    float damping;
    float restLength;
};

constexpr SpringConstants kAngleSpring{4.5f, 3.5f, 0.0001f};
constexpr SpringConstants kPositionSpring{2.5f, 0.5f, 1.0f};
constexpr SpringConstants kFollowSpring{2.5f, 0.25f, 1.0f};

// One step of `current` towards `target` along the line between them; it
// settles at `restLength` from the target, and the damping term reacts to the
// target's move since `previousTarget`.
Vector3 dampedSpring(const Vector3& current, const Vector3& target, const Vector3& previousTarget, float dt,
                     float stiffness, float damping, float restLength);

inline Vector3 dampedSpring(const Vector3& current, const Vector3& target, const Vector3& previousTarget,
                            float dt, const SpringConstants& spring) {
    return dampedSpring(current, target, previousTarget, dt, spring.stiffness, spring.damping, spring.restLength);
}
