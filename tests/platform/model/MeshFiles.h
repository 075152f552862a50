#pragma once

#include <string>
#include <vector>

#include "support/Scratch.h"
#include "threeds/ThreeDsWriter.h"

// Meshes whose contents the tests know, written into the scratch directory.
inline std::string writeMeshFile(const std::string& name, const std::vector<ThreeDsMesh>& meshes) {
    const std::string path = scratchPath(name);
    return writeThreeDs(path, meshes) ? path : "";
}

// A side of the cube: outward normal and the axes of u and v, cross(uAxis, vAxis) == normal.
struct CubeSide {
    Vector3 normal, uAxis, vAxis;
};

inline std::vector<CubeSide> cubeSides() {
    const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    return {{x, y, z}, {-x, z, y}, {y, z, x}, {-y, x, z}, {z, x, y}, {-z, y, x}};
}

// A cube of side 2 over 24 positions, two counter-clockwise triangles per side;
// side s in smoothing group 1 << s when hardEdges, else all in group 1.
inline ThreeDsMesh cubeMesh(bool hardEdges, const Vector3& offset = Vector3()) {
    ThreeDsMesh mesh{"cube", {}, {}, {}};
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    std::uint16_t n = 0;
    for (const CubeSide& s : cubeSides()) {
        for (const auto& c : corners) {
            mesh.positions.push_back(offset + s.normal + s.uAxis * c[0] + s.vAxis * c[1]);
            mesh.uvs.insert(mesh.uvs.end(), {(c[0] + 1) / 2, (c[1] + 1) / 2});
        }
        const std::uint32_t group = hardEdges ? 1u << (n / 4) : 1u;
        mesh.faces.push_back({n, std::uint16_t(n + 1), std::uint16_t(n + 2), group});
        mesh.faces.push_back({n, std::uint16_t(n + 2), std::uint16_t(n + 3), group});
        n = std::uint16_t(n + 4);
    }
    return mesh;
}

// A regular tetrahedron on cube corners, one smoothing group, counter-clockwise outside.
inline ThreeDsMesh tetrahedronMesh() {
    return {"tetra", {{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}}, {1, 1, 1, 0, 0, 1, 0, 0},
            {{0, 1, 2, 1}, {0, 3, 1, 1}, {0, 2, 3, 1}, {1, 3, 2, 1}}};
}

// A square in z = 0 facing +z with u along +x (-x when mirrored) and v along +y.
inline ThreeDsMesh squareMesh(bool mirroredU = false, float h = 1.0f) {
    const std::vector<float> uvs = mirroredU ? std::vector<float>{1, 0, 0, 0, 0, 1, 1, 1}
                                             : std::vector<float>{0, 0, 1, 0, 1, 1, 0, 1};
    return {"square", {{-h, -h, 0}, {h, -h, 0}, {h, h, 0}, {-h, h, 0}}, uvs, {{0, 1, 2, 1}, {0, 2, 3, 1}}};
}

inline bool samePosition(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
