#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/Vector3.h"

// One triangle of a 3DS mesh: three vertex indices in counter-clockwise order
// and the smoothing groups (a bit mask) that decide which faces share normals.
struct ThreeDsFace {
    std::uint16_t a = 0;
    std::uint16_t b = 0;
    std::uint16_t c = 0;
    std::uint32_t smoothingGroups = 1;
};

// One named triangle mesh of a 3DS file; uvs holds one (u, v) pair per vertex.
struct ThreeDsMesh {
    std::string name;
    std::vector<Vector3> positions;
    std::vector<float> uvs;
    std::vector<ThreeDsFace> faces;
};

// Writes the meshes as a 3DS file (vertices, texture coordinates, faces,
// smoothing groups). False when a mesh exceeds the format's 65,535 vertices or
// faces, when its uvs do not match its vertices, or when the file can't be written.
bool writeThreeDs(const std::string& path, const std::vector<ThreeDsMesh>& meshes);
