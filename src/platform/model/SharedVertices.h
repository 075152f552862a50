#pragma once

#include <vector>

#include "math/Vector3.h"
#include "platform/model/ThreeDsImport.h"

struct Model3dsFace;

// Turns imported triangles into distinct positions (exact float equality, in
// order of first use) and face records that index them, so that faces meeting
// at a position share its index. Corner normals and uvs go into the records.
void buildSharedVertices(const std::vector<ImportedTriangle>& triangles, std::vector<Vector3>& positions,
                         std::vector<Model3dsFace>& faces);
