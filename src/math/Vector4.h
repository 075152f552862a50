#pragma once

#include "math/Vector3.h"

// Four floats, laid out x, y, z, w: a homogeneous point, a colour or a matrix column.
struct Vector4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    Vector4() = default;
    Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    Vector4(const Vector3& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}

    // 0, 1, 2 give x, y, z; every other index gives w.
    float& operator[](int i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
    float operator[](int i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }

    Vector3 xyz() const { return {x, y, z}; }
    const float* data() const { return &x; }
};
