#include "camera/DampedSpring.h"

#include <cmath>

Vector3 dampedSpring(const Vector3& current, const Vector3& target, const Vector3& previousTarget, float dt,
                     float stiffness, float damping, float restLength) {
    const Vector3 offset = current - target;
    const float len = std::sqrt(dot(offset, offset));
    const float divisor = len != 0.0f ? len : 1.0f;
    const Vector3 targetMove = dt * (previousTarget - target);
    const float force = damping * dot(targetMove, offset) / divisor + stiffness * (restLength - len);
    Vector3 direction = offset;
    normalize(direction);
    return current + (force * dt) * direction;
}
