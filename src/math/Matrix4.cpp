#include "math/Matrix4.h"

#include <cmath>
#include <utility>

void Matrix4::setIdentity() { *this = Matrix4(); }

void Matrix4::multiply(const Matrix4& m) {
    Matrix4 result;
    for (int r = 0; r < 4; ++r) {
        for (int k = 0; k < 4; ++k) {
            float sum = 0.0f;
            for (int i = 0; i < 4; ++i) sum += at(r, i) * m.at(i, k);
            result.at(r, k) = sum;
        }
    }
    *this = result;
}

void Matrix4::transpose() {
    for (int r = 0; r < 4; ++r)
        for (int c = r + 1; c < 4; ++c) std::swap(at(r, c), at(c, r));
}

namespace {

void swapRows(Matrix4& m, int a, int b) {
    for (int c = 0; c < 4; ++c) std::swap(m.at(a, c), m.at(b, c));
}

void divideRow(Matrix4& m, int row, float divisor) {
    for (int c = 0; c < 4; ++c) m.at(row, c) /= divisor;
}

// row(target) -= factor * row(source)
void subtractRow(Matrix4& m, int target, int source, float factor) {
    for (int c = 0; c < 4; ++c) m.at(target, c) -= factor * m.at(source, c);
}

int pivotRow(const Matrix4& w, int column) {
    int pivot = column;
    for (int r = column + 1; r < 4; ++r)
        if (std::fabs(w.at(r, column)) > std::fabs(w.at(pivot, column))) pivot = r;
    return pivot;
}

}  // namespace

void Matrix4::invert() {
    Matrix4 work = *this;
    Matrix4 inverse;
    for (int c = 0; c < 4; ++c) {
        const int p = pivotRow(work, c);
        if (work.at(p, c) == 0.0f) {
            setIdentity();
            return;
        }
        swapRows(work, c, p);
        swapRows(inverse, c, p);
        const float pivot = work.at(c, c);
        divideRow(work, c, pivot);
        divideRow(inverse, c, pivot);
        for (int j = 0; j < 4; ++j) {
            if (j == c) continue;
            const float t = work.at(j, c);
            subtractRow(work, j, c, t);
            subtractRow(inverse, j, c, t);
        }
    }
    *this = inverse;
}

Matrix4 product(const Matrix4& a, const Matrix4& b) {
    Matrix4 result = a;
    result.multiply(b);
    return result;
}

Matrix4 translation(const Vector3& t) {
    Matrix4 m;
    m[12] = t.x;
    m[13] = t.y;
    m[14] = t.z;
    return m;
}

Matrix4 scaling(float s) {
    Matrix4 m;
    m[0] = m[5] = m[10] = s;
    return m;
}

Matrix4 xRotation(float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    Matrix4 m;
    m[5] = c;
    m[6] = s;
    m[9] = -s;
    m[10] = c;
    return m;
}

Matrix4 lookAt(const Vector3& center, const Vector3& eye, const Vector3& up) {
    Vector3 f = center - eye;
    normalize(f);
    Vector3 u0 = up;
    normalize(u0);
    Vector3 s = cross(f, u0);
    normalize(s);
    Vector3 u = cross(s, f);
    normalize(u);

    Matrix4 rotation;
    const Vector3 rows[3] = {s, u, -f};
    for (int r = 0; r < 3; ++r) {
        rotation.at(r, 0) = rows[r].x;
        rotation.at(r, 1) = rows[r].y;
        rotation.at(r, 2) = rows[r].z;
    }
    rotation.multiply(translation(-eye));
    return rotation;
}

Matrix4 fromAxes(const Vector3& a, const Vector3& b, const Vector3& c) {
    Matrix4 m;
    m.columns[0] = Vector4(a, 0.0f);
    m.columns[1] = Vector4(b, 0.0f);
    m.columns[2] = Vector4(c, 0.0f);
    m.columns[3] = Vector4(0.0f, 0.0f, 0.0f, 1.0f);
    return m;
}

Vector4 transformPoint(const Matrix4& m, const Vector4& v) {
    Vector4 result;
    for (int r = 0; r < 4; ++r)
        result[r] = m.at(r, 0) * v.x + m.at(r, 1) * v.y + m.at(r, 2) * v.z + m.at(r, 3) * v.w;
    return result;
}
