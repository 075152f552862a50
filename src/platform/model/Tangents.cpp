#include "platform/model/Tangents.h"

#include <cmath>

#include "platform/model/Model3ds.h"

namespace {

struct TangentSums {
    std::vector<Vector3> alongU;
    std::vector<Vector3> alongV;
};

// Adds the triangle's directions of increasing u and v to its three vertices.
void accumulateTriangle(const RenderMesh& mesh, const std::uint32_t* corner, TangentSums& sums) {
    const RenderVertex& a = mesh.vertices[corner[0]];
    const RenderVertex& b = mesh.vertices[corner[1]];
    const RenderVertex& c = mesh.vertices[corner[2]];
    const Vector3 e1 = b.position - a.position, e2 = c.position - a.position;
    const float du1 = b.uv[0] - a.uv[0], dv1 = b.uv[1] - a.uv[1];
    const float du2 = c.uv[0] - a.uv[0], dv2 = c.uv[1] - a.uv[1];
    const float det = du1 * dv2 - du2 * dv1;
    if (!std::isfinite(det) || det == 0.0f) return;
    const Vector3 u = (e1 * dv2 - e2 * dv1) * (1.0f / det);
    const Vector3 v = (e2 * du1 - e1 * du2) * (1.0f / det);
    for (int k = 0; k < 3; ++k) {
        sums.alongU[corner[k]] += u;
        sums.alongV[corner[k]] += v;
    }
}

// Any unit vector perpendicular to n (n may be zero).
Vector3 perpendicularTo(const Vector3& n) {
    const Vector3 axis = std::fabs(n.x) < 0.9f ? Vector3(1.0f, 0.0f, 0.0f) : Vector3(0.0f, 1.0f, 0.0f);
    Vector3 t = axis - n * dot(n, axis);
    return normalize(t);
}

Vector4 tangentFrame(const Vector3& n, const Vector3& alongU, const Vector3& alongV) {
    Vector3 t = alongU - n * dot(n, alongU);
    const float len = length(t);
    if (!std::isfinite(len) || len < 1e-12f) return Vector4(perpendicularTo(n), 1.0f);
    t = t * (1.0f / len);
    const float handedness = dot(cross(n, t), alongV) < 0.0f ? -1.0f : 1.0f;
    return Vector4(t, handedness);
}

}  // namespace

void computeTangents(RenderMesh& mesh) {
    TangentSums sums;
    sums.alongU.assign(mesh.vertices.size(), Vector3());
    sums.alongV.assign(mesh.vertices.size(), Vector3());
    for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) accumulateTriangle(mesh, &mesh.indices[i], sums);
    for (size_t i = 0; i < mesh.vertices.size(); ++i)
        mesh.vertices[i].tangent = tangentFrame(mesh.vertices[i].normal, sums.alongU[i], sums.alongV[i]);
}

void copyTangentsToFaces(const RenderMesh& mesh, std::vector<Model3dsFace>& faces) {
    for (Model3dsFace& face : faces)
        for (int k = 0; k < 3; ++k) face.tangents[k] = mesh.vertices[face.renderIndices[k]].tangent;
}
