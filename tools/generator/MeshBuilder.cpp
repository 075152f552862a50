#include "MeshBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool samePosition(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof(Vector3)) == 0; }

Vector3 cleared(const Vector3& p) { return {p.x + 0.0f, p.y + 0.0f, p.z + 0.0f}; }

}  // namespace

std::uint16_t MeshBuilder::addVertex(const Vector3& position, float u, float v) {
    mesh.positions.push_back(cleared(position));
    mesh.uvs.push_back(u);
    mesh.uvs.push_back(v);
    return static_cast<std::uint16_t>(mesh.positions.size() - 1);
}

void MeshBuilder::addTriangle(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint32_t smoothingGroups) {
    const auto& p = mesh.positions;
    if (samePosition(p[a], p[b]) || samePosition(p[b], p[c]) || samePosition(p[a], p[c])) return;
    mesh.faces.push_back({a, b, c, smoothingGroups});
}

void MeshBuilder::append(const ThreeDsMesh& part, const std::function<Vector3(const Vector3&)>& transform) {
    const auto offset = static_cast<std::uint16_t>(mesh.positions.size());
    for (const Vector3& p : part.positions) mesh.positions.push_back(cleared(transform ? transform(p) : p));
    mesh.uvs.insert(mesh.uvs.end(), part.uvs.begin(), part.uvs.end());
    for (const ThreeDsFace& f : part.faces)
        mesh.faces.push_back({static_cast<std::uint16_t>(f.a + offset), static_cast<std::uint16_t>(f.b + offset),
                              static_cast<std::uint16_t>(f.c + offset), f.smoothingGroups});
}

std::vector<Vector3> gridRow(const GridSurface& grid, int j) {
    std::vector<Vector3> ring;
    const int count = grid.periodicColumns ? grid.columns : grid.columns + 1;
    for (int i = 0; i < count; ++i) ring.push_back(grid.position(i, j));
    return ring;
}

void addGridSurface(MeshBuilder& builder, const GridSurface& grid) {
    std::vector<std::uint16_t> index((grid.columns + 1) * (grid.rows + 1));
    for (int j = 0; j <= grid.rows; ++j)
        for (int i = 0; i <= grid.columns; ++i) {
            const int source = (grid.periodicColumns && i == grid.columns) ? 0 : i;
            float u = 0.0f, v = 0.0f;
            grid.uv(i, j, u, v);
            index[j * (grid.columns + 1) + i] = builder.addVertex(grid.position(source, j), u, v);
        }
    for (int j = 0; j < grid.rows; ++j)
        for (int i = 0; i < grid.columns; ++i) {
            const std::uint16_t a = index[j * (grid.columns + 1) + i];
            const std::uint16_t b = index[j * (grid.columns + 1) + i + 1];
            const std::uint16_t c = index[(j + 1) * (grid.columns + 1) + i + 1];
            const std::uint16_t d = index[(j + 1) * (grid.columns + 1) + i];
            const std::uint32_t groups = grid.smoothingGroups(i, j);
            builder.addTriangle(a, b, c, groups);
            builder.addTriangle(a, c, d, groups);
        }
}

void addCap(MeshBuilder& builder, const std::vector<Vector3>& ring, const Vector3& outward, const UvRect& rect,
            std::uint32_t smoothingGroups) {
    Vector3 centre, newell;
    for (size_t k = 0; k < ring.size(); ++k) {
        const Vector3& a = ring[k];
        const Vector3& b = ring[(k + 1) % ring.size()];
        centre += a;
        newell += cross(a, b);
    }
    centre = centre * (1.0f / static_cast<float>(ring.size()));
    const bool reversed = dot(newell, outward) < 0.0f;

    Vector3 n = outward;
    normalize(n);
    Vector3 seed = std::fabs(n.x) > 0.9f ? Vector3(0, 0, 1) : Vector3(1, 0, 0);
    Vector3 tangent = seed - n * dot(n, seed);
    normalize(tangent);
    const Vector3 bitangent = cross(n, tangent);

    float extent = 0.0f;
    for (const Vector3& p : ring)
        extent = std::max({extent, std::fabs(dot(p - centre, tangent)), std::fabs(dot(p - centre, bitangent))});
    auto uvOf = [&](const Vector3& p, float& u, float& v) {
        u = rect.u(0.5f + 0.5f * dot(p - centre, tangent) / extent);
        v = rect.v(0.5f + 0.5f * dot(p - centre, bitangent) / extent);
    };

    float u = 0.0f, v = 0.0f;
    uvOf(centre, u, v);
    const std::uint16_t middle = builder.addVertex(centre, u, v);
    std::vector<std::uint16_t> rim;
    for (const Vector3& p : ring) {
        uvOf(p, u, v);
        rim.push_back(builder.addVertex(p, u, v));
    }
    for (size_t k = 0; k < rim.size(); ++k) {
        const std::uint16_t a = rim[k], b = rim[(k + 1) % rim.size()];
        if (reversed)
            builder.addTriangle(middle, b, a, smoothingGroups);
        else
            builder.addTriangle(middle, a, b, smoothingGroups);
    }
}
