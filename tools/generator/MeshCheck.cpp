#include "MeshCheck.h"

#include <array>
#include <cstring>
#include <map>
#include <numeric>
#include <sstream>
#include <utility>
#include <vector>

namespace {

using PositionKey = std::array<std::uint32_t, 3>;

PositionKey keyOf(const Vector3& p) {
    PositionKey k;
    std::memcpy(k.data(), &p, sizeof(Vector3));
    return k;
}

// Vertex ids where bit-identical positions share one id.
std::vector<int> positionIds(const ThreeDsMesh& mesh) {
    std::map<PositionKey, int> ids;
    std::vector<int> result;
    for (const Vector3& p : mesh.positions) result.push_back(ids.emplace(keyOf(p), static_cast<int>(ids.size())).first->second);
    return result;
}

int findRoot(std::vector<int>& parent, int i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
}

double signedVolume(const Vector3& a, const Vector3& b, const Vector3& c) {
    return dot(a, cross(b, c)) / 6.0;
}

}  // namespace

std::string MeshReport::summary() const {
    std::ostringstream out;
    out << triangles << " triangles, " << shells << " shells, " << openOrOverusedEdges << " bad edges, "
        << degenerateTriangles << " degenerate, " << mirroredUvTriangles << " mirrored uv, " << inwardShells
        << " inward shells";
    return out.str();
}

MeshReport checkMesh(const ThreeDsMesh& mesh) {
    MeshReport report;
    report.triangles = mesh.faces.size();
    const std::vector<int> id = positionIds(mesh);

    std::map<std::pair<int, int>, int> directed;
    std::map<std::pair<int, int>, std::vector<size_t>> facesOfEdge;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const ThreeDsFace& face = mesh.faces[f];
        const int corners[3] = {id[face.a], id[face.b], id[face.c]};
        for (int k = 0; k < 3; ++k) {
            const int a = corners[k], b = corners[(k + 1) % 3];
            ++directed[{a, b}];
            facesOfEdge[{std::min(a, b), std::max(a, b)}].push_back(f);
        }
    }
    for (const auto& [edge, faces] : facesOfEdge) {
        const int forward = directed[{edge.first, edge.second}];
        const int backward = directed[{edge.second, edge.first}];
        if (faces.size() != 2 || forward != 1 || backward != 1) ++report.openOrOverusedEdges;
    }

    std::vector<int> parent(mesh.faces.size());
    std::iota(parent.begin(), parent.end(), 0);
    for (const auto& entry : facesOfEdge)
        for (size_t k = 1; k < entry.second.size(); ++k)
            parent[findRoot(parent, static_cast<int>(entry.second[k]))] = findRoot(parent, static_cast<int>(entry.second[0]));

    std::map<int, double> volume;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const ThreeDsFace& face = mesh.faces[f];
        const Vector3& a = mesh.positions[face.a];
        const Vector3& b = mesh.positions[face.b];
        const Vector3& c = mesh.positions[face.c];
        const Vector3 normal = cross(b - a, c - a);
        if (length(normal) <= 0.0f) ++report.degenerateTriangles;
        volume[findRoot(parent, static_cast<int>(f))] += signedVolume(a, b, c);

        const float du1 = mesh.uvs[2 * face.b] - mesh.uvs[2 * face.a], dv1 = mesh.uvs[2 * face.b + 1] - mesh.uvs[2 * face.a + 1];
        const float du2 = mesh.uvs[2 * face.c] - mesh.uvs[2 * face.a], dv2 = mesh.uvs[2 * face.c + 1] - mesh.uvs[2 * face.a + 1];
        if (du1 * dv2 - du2 * dv1 < 0.0f) ++report.mirroredUvTriangles;
    }
    report.shells = volume.size();
    for (const auto& entry : volume)
        if (entry.second <= 0.0) ++report.inwardShells;
    return report;
}
