#pragma once

#include "math/Matrix4.h"

class ShaderProgram;

// r[i] = m[4i..4i+3] . v: each stored column read as a row.
Vector4 multiplyRows(const Matrix4& m, const Vector4& v);
// multiplyRows of (x, y, z, 0), first three components.
Vector3 multiplyRowsDirection(const Matrix4& m, const Vector3& v);
// multiplyRows of (x, y, z, 1), first three components: carries a point, such as the eye.
Vector3 multiplyRowsPoint(const Matrix4& m, const Vector3& v);
// The transposed inverse of a model matrix, which multiplyRows turns into the
// world-to-object transform.
Matrix4 objectSpaceMatrix(const Matrix4& model);

// Uploads light, eye, colours, shininess and the model-view-projection matrix for one scene object
// drawn with the bound pair under the given model matrix.
void setLightingParameters(ShaderProgram& shader, const Matrix4& model);
