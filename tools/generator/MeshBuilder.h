#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "threeds/ThreeDsWriter.h"

// A rectangle of a texture atlas; maps local (s, t) in [0, 1] into it.
struct UvRect {
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
    float u(float s) const { return u0 + (u1 - u0) * s; }
    float v(float t) const { return v0 + (v1 - v0) * t; }
};

// Collects the vertices and triangles of one 3DS mesh. Positions are stored
// with negative zeros cleared, so that equal points are bit-identical.
class MeshBuilder {
public:
    ThreeDsMesh mesh;

    std::uint16_t addVertex(const Vector3& position, float u, float v);
    // Adds the triangle unless two of its corners lie at the same position.
    void addTriangle(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint32_t smoothingGroups);
    // Appends another mesh with its vertices moved by the transform.
    void append(const ThreeDsMesh& part, const std::function<Vector3(const Vector3&)>& transform = nullptr);
};

// A grid of (columns + 1) x (rows + 1) points P(i, j), triangulated so that the
// winding is counter-clockwise where dP/di x dP/dj points outward. With
// periodicColumns the last column reuses the first column's positions.
struct GridSurface {
    int columns = 1;
    int rows = 1;
    bool periodicColumns = true;
    std::function<Vector3(int i, int j)> position;
    std::function<void(int i, int j, float& u, float& v)> uv;
    std::function<std::uint32_t(int i, int j)> smoothingGroups;  // per cell
};
void addGridSurface(MeshBuilder& builder, const GridSurface& grid);

// Closes a ring of positions with a triangle fan around its centre, facing
// outward, with planar texture coordinates fitted into rect.
void addCap(MeshBuilder& builder, const std::vector<Vector3>& ring, const Vector3& outward, const UvRect& rect,
            std::uint32_t smoothingGroups);

// The positions of one grid row (j fixed), without the repeated last column.
std::vector<Vector3> gridRow(const GridSurface& grid, int j);
