#include "math/Vector3.h"

#include <cmath>

float length(const Vector3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

Vector3& normalize(Vector3& v) {
    const float len = length(v);
    const float factor = len > 0.0f ? 1.0f / len : 0.0f;
    v.x *= factor;
    v.y *= factor;
    v.z *= factor;
    return v;
}

Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
