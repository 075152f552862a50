#pragma once

#include <string>
#include <vector>

#include "math/Vector3.h"

// One corner of a triangle as the file gives it.
struct ImportedCorner {
    Vector3 position;
    Vector3 normal;
    float uv[2] = {0.0f, 0.0f};
};

struct ImportedTriangle {
    ImportedCorner corners[3];
};

// Reads every triangle of every mesh of a 3DS file, in file order, in the
// meshes' own coordinates (node transforms are not applied). Corner normals
// come from the file's smoothing groups. Reads only the file's main chunk.
// False, with a reason in error, when the file cannot be opened, is not a
// regular file, is truncated or not 3DS, has a main chunk larger than
// kMeshChunkLimit, or holds no triangles.
bool importThreeDs(const std::string& path, std::vector<ImportedTriangle>& triangles, std::string& error);
