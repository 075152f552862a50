#pragma once

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "math/Vector3.h"
#include "threeds/ThreeDsWriter.h"

// Meshes whose contents the tests know, written as 3DS files into the scratch directory.

inline std::string scratchPath(const std::string& name) {
    std::filesystem::create_directories(ZEN_TEST_TMP_DIR);
    return std::string(ZEN_TEST_TMP_DIR) + "/" + name;
}

inline std::string writeMeshFile(const std::string& name, const std::vector<ThreeDsMesh>& meshes) {
    const std::string path = scratchPath(name);
    if (!writeThreeDs(path, meshes)) return "";
    return path;
}

inline std::string writeBytes(const std::string& name, const std::string& bytes) {
    const std::string path = scratchPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// One side of the unit cube: its outward normal and the in-plane axes of u and v,
// with cross(uAxis, vAxis) == normal so that the corners run counter-clockwise outside.
struct CubeSide {
    Vector3 normal, uAxis, vAxis;
};

inline std::vector<CubeSide> cubeSides() {
    const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    return {{x, y, z}, {-x, z, y}, {y, z, x}, {-y, x, z}, {z, x, y}, {-z, y, x}};
}

// A cube of side 2 around the origin over 24 positions (4 per side, uv 0..1 along
// each side's axes), two triangles per side. Side s is in smoothing group 1 << s
// when hardEdges, else every face is in group 1.
inline ThreeDsMesh cubeMesh(bool hardEdges, const Vector3& offset = Vector3()) {
    ThreeDsMesh mesh;
    mesh.name = "cube";
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    std::uint16_t side = 0;
    for (const CubeSide& s : cubeSides()) {
        const std::uint16_t first = static_cast<std::uint16_t>(mesh.positions.size());
        for (const auto& c : corners) {
            mesh.positions.push_back(offset + s.normal + s.uAxis * c[0] + s.vAxis * c[1]);
            mesh.uvs.push_back((c[0] + 1) / 2);
            mesh.uvs.push_back((c[1] + 1) / 2);
        }
        const std::uint32_t group = hardEdges ? 1u << side : 1u;
        mesh.faces.push_back({first, static_cast<std::uint16_t>(first + 1), static_cast<std::uint16_t>(first + 2), group});
        mesh.faces.push_back({first, static_cast<std::uint16_t>(first + 2), static_cast<std::uint16_t>(first + 3), group});
        ++side;
    }
    return mesh;
}

// A regular tetrahedron on alternate corners of the cube, one smoothing group,
// four shared positions, faces counter-clockwise from outside.
inline ThreeDsMesh tetrahedronMesh() {
    ThreeDsMesh mesh;
    mesh.name = "tetra";
    mesh.positions = {{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}};
    mesh.uvs = {1, 1, 1, 0, 0, 1, 0, 0};
    mesh.faces = {{0, 1, 2, 1}, {0, 3, 1, 1}, {0, 2, 3, 1}, {1, 3, 2, 1}};
    return mesh;
}

// A square in the z = 0 plane facing +z, side 2 around the origin, u along +x
// (or -x when mirrored) and v along +y.
inline ThreeDsMesh squareMesh(bool mirroredU = false, float halfSide = 1.0f) {
    ThreeDsMesh mesh;
    mesh.name = "square";
    const float h = halfSide;
    mesh.positions = {{-h, -h, 0}, {h, -h, 0}, {h, h, 0}, {-h, h, 0}};
    mesh.uvs = mirroredU ? std::vector<float>{1, 0, 0, 0, 0, 1, 1, 1} : std::vector<float>{0, 0, 1, 0, 1, 1, 0, 1};
    mesh.faces = {{0, 1, 2, 1}, {0, 2, 3, 1}};
    return mesh;
}

inline bool samePosition(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
