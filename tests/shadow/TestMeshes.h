#pragma once

#include <array>
#include <initializer_list>
#include <vector>

#include "platform/model/Model3ds.h"

// Small meshes built straight into a model's public fields.
inline void addFace(Model3ds& model, std::array<std::uint32_t, 3> corners, const Vector3& normal) {
    Model3dsFace face{};
    for (int i = 0; i < 3; ++i) {
        face.indices[i] = corners[i];
        face.normals[i] = normal;
    }
    model.faces.push_back(face);
    model.faceCount = static_cast<std::uint32_t>(model.faces.size());
}

inline void addVertex(Model3ds& model, const Vector3& position) {
    model.vertices.push_back(position);
    model.vertexCount = static_cast<std::uint32_t>(model.vertices.size());
}

inline void addVertices(Model3ds& model, std::initializer_list<Vector3> positions) {
    for (const Vector3& p : positions) addVertex(model, p);
}

// An axis-aligned cube of 12 outward, counter-clockwise triangles over 24 vertices.
inline void fillCube(Model3ds& model, float half = 1.0f) {
    const Vector3 normals[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const Vector3& n : normals) {
        // u, v span the side so that u x v = n.
        const Vector3 u = n.x != 0 ? Vector3(0, n.x, 0) : n.y != 0 ? Vector3(0, 0, n.y) : Vector3(n.z, 0, 0);
        const Vector3 v = cross(n, u);
        const std::uint32_t base = model.vertexCount;
        const float signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const auto& s : signs) addVertex(model, (n + u * s[0] + v * s[1]) * half);
        addFace(model, {base, base + 1, base + 2}, n);
        addFace(model, {base, base + 2, base + 3}, n);
    }
}

// A square sheet in the z = 0 plane made of two triangles, facing +z or -z.
inline void fillSheet(Model3ds& model, float half, bool facingPlusZ) {
    const std::uint32_t base = model.vertexCount;
    addVertex(model, {-half, -half, 0});
    addVertex(model, {half, -half, 0});
    addVertex(model, {half, half, 0});
    addVertex(model, {-half, half, 0});
    if (facingPlusZ) {
        addFace(model, {base, base + 1, base + 2}, {0, 0, 1});
        addFace(model, {base, base + 2, base + 3}, {0, 0, 1});
    } else {
        addFace(model, {base, base + 2, base + 1}, {0, 0, -1});
        addFace(model, {base, base + 3, base + 2}, {0, 0, -1});
    }
}
