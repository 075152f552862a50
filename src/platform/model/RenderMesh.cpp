#include "platform/model/RenderMesh.h"

#include <array>
#include <cstring>
#include <unordered_map>

#include "platform/model/Model3ds.h"

namespace {

// A corner's position index followed by the bit patterns of its normal and uv.
using CornerKey = std::array<std::uint32_t, 6>;

CornerKey keyOf(const Model3dsFace& face, int k) {
    CornerKey key;
    key[0] = face.indices[k];
    std::memcpy(&key[1], &face.normals[k], 3 * sizeof(float));
    std::memcpy(&key[4], face.uvs[k], 2 * sizeof(float));
    return key;
}

struct CornerKeyHash {
    size_t operator()(const CornerKey& key) const {
        size_t hash = 1469598103u;
        for (std::uint32_t word : key) hash = (hash ^ word) * 1099511628211u;
        return hash;
    }
};

RenderVertex vertexOf(const std::vector<Vector3>& positions, const Model3dsFace& face, int k) {
    RenderVertex vertex;
    vertex.position = positions[face.indices[k]];
    vertex.normal = face.normals[k];
    vertex.uv[0] = face.uvs[k][0];
    vertex.uv[1] = face.uvs[k][1];
    vertex.tangent = Vector4(0.0f, 0.0f, 0.0f, 1.0f);
    return vertex;
}

}  // namespace

RenderMesh buildRenderMesh(const std::vector<Vector3>& positions, std::vector<Model3dsFace>& faces) {
    RenderMesh mesh;
    mesh.indices.reserve(faces.size() * 3);
    std::unordered_map<CornerKey, std::uint32_t, CornerKeyHash> shared;
    for (Model3dsFace& face : faces) {
        for (int k = 0; k < 3; ++k) {
            const auto inserted = shared.emplace(keyOf(face, k), static_cast<std::uint32_t>(mesh.vertices.size()));
            if (inserted.second) mesh.vertices.push_back(vertexOf(positions, face, k));
            face.renderIndices[k] = inserted.first->second;
            mesh.indices.push_back(inserted.first->second);
        }
    }
    return mesh;
}
