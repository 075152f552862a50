#pragma once

#include <vector>

#include "platform/model/RenderMesh.h"

struct Model3dsFace;

// Per-vertex tangents along +u, orthogonal to each normal, with the handedness
// of the uv mapping in w. Vertices without usable uvs get any unit tangent
// perpendicular to their normal and w = +1.
void computeTangents(RenderMesh& mesh);

// Copies each corner's tangent from the render mesh into the face records.
void copyTangentsToFaces(const RenderMesh& mesh, std::vector<Model3dsFace>& faces);
