#pragma once

#include "math/Vector3.h"
#include "math/Vector4.h"

// A 4x4 matrix in OpenGL's column-major layout: element (row r, column c) is
// float 4c + r, the translation sits in floats 12 to 14. Vectors are columns.
struct Matrix4 {
    Vector4 columns[4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    float* data() { return &columns[0].x; }
    const float* data() const { return &columns[0].x; }
    float& operator[](int i) { return data()[i]; }
    float operator[](int i) const { return data()[i]; }
    float& at(int row, int column) { return data()[4 * column + row]; }
    float at(int row, int column) const { return data()[4 * column + row]; }

    void setIdentity();
    // this = this * m; m may be this matrix itself.
    void multiply(const Matrix4& m);
    void transpose();
    // Gauss-Jordan with partial pivoting; a singular matrix becomes the identity.
    void invert();
};

static_assert(sizeof(Matrix4) == 16 * sizeof(float), "Matrix4 must be 16 packed floats");

Matrix4 product(const Matrix4& a, const Matrix4& b);
Matrix4 translation(const Vector3& t);
Matrix4 scaling(float s);
Matrix4 xRotation(float radians);
// The same matrix as gluLookAt(eye, center, up).
Matrix4 lookAt(const Vector3& center, const Vector3& eye, const Vector3& up);
Matrix4 fromAxes(const Vector3& a, const Vector3& b, const Vector3& c);

// M * (x, y, z, w).
Vector4 transformPoint(const Matrix4& m, const Vector4& v);

constexpr float kDegreesToRadians = 0.017453292f;
