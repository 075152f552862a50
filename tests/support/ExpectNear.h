#pragma once

#include "math/Matrix4.h"
#include "math/Vector3.h"

// Fails the running test, naming both values, when a component of `actual` lies
// farther than `tolerance` from the same component of `expected`.
void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f);
void expectNear(const Matrix4& actual, const Matrix4& expected, float tolerance = 1e-5f);
