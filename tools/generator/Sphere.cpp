#include "Sphere.h"

#include <cmath>

namespace {
const float kPi = 3.14159265358979f;
}

Vector3 sphereDirection(float u, float v) {
    if (v <= 0.0f) return {0.0f, -1.0f, 0.0f};
    if (v >= 1.0f) return {0.0f, 1.0f, 0.0f};
    const float longitude = 2.0f * kPi * u;
    const float latitude = kPi * (v - 0.5f);
    return {std::sin(longitude) * std::cos(latitude), std::sin(latitude), std::cos(longitude) * std::cos(latitude)};
}

void sphereFrame(const Vector3& direction, Vector3& east, Vector3& north) {
    east = Vector3(direction.z, 0.0f, -direction.x);
    if (length(east) < 1e-6f) east = Vector3(1.0f, 0.0f, 0.0f);
    normalize(east);
    north = cross(direction, east);
    normalize(north);
}

ThreeDsMesh radialSphere(int columns, int rows, const std::function<float(const Vector3&)>& radius,
                         const std::function<Vector3(const Vector3&)>& shape) {
    GridSurface grid;
    grid.columns = columns;
    grid.rows = rows;
    grid.periodicColumns = true;
    grid.position = [&](int i, int j) {
        const Vector3 d = sphereDirection(static_cast<float>(i) / columns, static_cast<float>(j) / rows);
        const Vector3 p = d * radius(d);
        return shape ? shape(p) : p;
    };
    grid.uv = [&](int i, int j, float& u, float& v) {
        u = static_cast<float>(i) / columns;
        v = static_cast<float>(j) / rows;
    };
    grid.smoothingGroups = [](int, int) { return 1u; };
    MeshBuilder builder;
    addGridSurface(builder, grid);
    return builder.mesh;
}
