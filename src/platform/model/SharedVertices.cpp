#include "platform/model/SharedVertices.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "platform/model/Model3ds.h"

namespace {

using PositionKey = std::array<std::uint32_t, 3>;

// Bit patterns of the coordinates, with -0 read as +0 so that equal floats give equal keys.
PositionKey keyOf(const Vector3& p) {
    const float coordinates[3] = {p.x == 0.0f ? 0.0f : p.x, p.y == 0.0f ? 0.0f : p.y, p.z == 0.0f ? 0.0f : p.z};
    PositionKey key;
    std::memcpy(key.data(), coordinates, sizeof(coordinates));
    return key;
}

struct PositionKeyHash {
    size_t operator()(const PositionKey& k) const {
        return (static_cast<size_t>(k[0]) * 73856093u) ^ (static_cast<size_t>(k[1]) * 19349663u) ^
               (static_cast<size_t>(k[2]) * 83492791u);
    }
};

class PositionTable {
public:
    explicit PositionTable(std::vector<Vector3>& positions_) : positions(positions_) {}

    std::uint32_t indexOf(const Vector3& p) {
        const auto inserted = indices.emplace(keyOf(p), static_cast<std::uint32_t>(positions.size()));
        if (inserted.second) positions.push_back(p);
        return inserted.first->second;
    }

private:
    std::vector<Vector3>& positions;
    std::unordered_map<PositionKey, std::uint32_t, PositionKeyHash> indices;
};

Vector3 planeNormal(const std::vector<Vector3>& positions, const Model3dsFace& face) {
    const Vector3& a = positions[face.indices[0]];
    Vector3 n = cross(positions[face.indices[1]] - a, positions[face.indices[2]] - a);
    return normalize(n);
}

}  // namespace

void buildSharedVertices(const std::vector<ImportedTriangle>& triangles, std::vector<Vector3>& positions,
                         std::vector<Model3dsFace>& faces) {
    positions.clear();
    faces.clear();
    faces.reserve(triangles.size());
    PositionTable table(positions);
    for (const ImportedTriangle& triangle : triangles) {
        Model3dsFace face{};
        for (int k = 0; k < 3; ++k) {
            const ImportedCorner& corner = triangle.corners[k];
            face.indices[k] = table.indexOf(corner.position);
            face.normals[k] = corner.normal;
            face.uvs[k][0] = corner.uv[0];
            face.uvs[k][1] = corner.uv[1];
        }
        face.faceNormal = planeNormal(positions, face);
        faces.push_back(face);
    }
}
