#pragma once

#include <string>

#include "threeds/ThreeDsWriter.h"

// What the generator verifies about each mesh before it writes it.
struct MeshReport {
    size_t triangles = 0;
    size_t openOrOverusedEdges = 0;   // edges by position without exactly one use in each direction
    size_t degenerateTriangles = 0;   // zero area
    size_t mirroredUvTriangles = 0;   // u x v facing against the winding's normal
    size_t inwardShells = 0;          // connected shells with negative enclosed volume
    size_t shells = 0;

    bool sound() const {
        return openOrOverusedEdges == 0 && degenerateTriangles == 0 && mirroredUvTriangles == 0 && inwardShells == 0;
    }
    std::string summary() const;
};

MeshReport checkMesh(const ThreeDsMesh& mesh);
