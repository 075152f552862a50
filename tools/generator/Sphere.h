#pragma once

#include <functional>

#include "MeshBuilder.h"

// Unit direction of the equirectangular coordinates: u runs east around +y
// (u = 0 faces +z, u = 0.25 faces +x), v from the south pole (0) to the north (1).
Vector3 sphereDirection(float u, float v);

// East and north unit vectors at a direction (the tangent and bitangent of the layout).
void sphereFrame(const Vector3& direction, Vector3& east, Vector3& north);

// A closed UV sphere whose radius along each direction is radius(direction);
// the texture covers [0, 1] x [0, 1] equirectangularly.
ThreeDsMesh radialSphere(int columns, int rows, const std::function<float(const Vector3&)>& radius,
                         const std::function<Vector3(const Vector3&)>& shape = nullptr);
