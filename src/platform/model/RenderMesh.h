#pragma once

#include <cstdint>
#include <vector>

#include "math/Vector3.h"
#include "math/Vector4.h"

struct Model3dsFace;

// One vertex as the programs receive it: position, normal, uv and tangent.
struct RenderVertex {
    Vector3 position;
    Vector3 normal;
    float uv[2] = {0.0f, 0.0f};
    Vector4 tangent;  // xyz along +u, w = +1 or -1 so that w * cross(normal, tangent) runs along +v
};

// Indexed triangles ready for drawing; indices hold three entries per face.
struct RenderMesh {
    std::vector<RenderVertex> vertices;
    std::vector<std::uint32_t> indices;
};

// Shares one render vertex among the corners with equal position, normal and uv,
// and records each corner's render vertex in the face's renderIndices.
RenderMesh buildRenderMesh(const std::vector<Vector3>& positions, std::vector<Model3dsFace>& faces);
