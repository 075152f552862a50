#include "shadow/EdgeConnectivity.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <utility>

namespace {

bool samePosition(const Vector3& p, const Vector3& q) { return p.x == q.x && p.y == q.y && p.z == q.z; }

bool hasNan(const Vector3& p) { return std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z); }

// Float equality as bits: -0 and +0 compare equal, so they share one pattern.
std::uint32_t comparableBits(float value) {
    if (value == 0.0f) value = 0.0f;
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void writeTriple(const Vector3& p, std::uint32_t* out) {
    out[0] = comparableBits(p.x);
    out[1] = comparableBits(p.y);
    out[2] = comparableBits(p.z);
}

bool lessTriple(const std::uint32_t* a, const std::uint32_t* b) {
    return std::lexicographical_compare(a, a + 3, b, b + 3);
}

PositionPair makeKey(const Vector3& p, const Vector3& q) {
    PositionPair key;
    writeTriple(p, key.bits);
    writeTriple(q, key.bits + 3);
    if (lessTriple(key.bits + 3, key.bits)) {
        for (int i = 0; i < 3; ++i) std::swap(key.bits[i], key.bits[i + 3]);
    }
    return key;
}

bool indicesInRange(const Model3dsFace& face, std::size_t vertexCount) {
    return face.indices[0] < vertexCount && face.indices[1] < vertexCount && face.indices[2] < vertexCount;
}

struct EdgeBuilder {
    const std::vector<Vector3>& vertices;
    EdgeSearch search;
    EdgeConnectivity result;
    EdgeLookup lookup;
    std::size_t referenceErrors = 0;

    int find(int a, int b) const {
        return search == EdgeSearch::Scan ? findEdge(result.edges, vertices, a, b) : lookup.find(vertices, a, b);
    }

    void addEdge(int a, int b, int face) {
        const int k = find(a, b);
        if (k == -1) {
            const int index = static_cast<int>(result.edges.size());
            result.edges.push_back({a, b, face, -1});
            if (search == EdgeSearch::Hashed) lookup.insert(vertices, a, b, index);
            return;
        }
        Edge& edge = result.edges[k];
        if (edge.face0 >= 0 && edge.face0 != face && edge.face1 == -1) {
            edge.face1 = face;
            return;
        }
        if (++referenceErrors <= kReportedReferenceErrors)
            std::cerr << "[ERROR] Reference error for edge " << k << std::endl;
        result.badEdges.push_back(edge);
    }

    void reportUnlistedErrors() const {
        if (referenceErrors > kReportedReferenceErrors)
            std::cerr << "[ERROR] " << referenceErrors - kReportedReferenceErrors << " more reference errors"
                      << std::endl;
    }
};

}  // namespace

bool operator==(const PositionPair& a, const PositionPair& b) {
    return std::memcmp(a.bits, b.bits, sizeof a.bits) == 0;
}

std::size_t PositionPairHash::operator()(const PositionPair& key) const {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint32_t bits : key.bits) {
        hash ^= bits;
        hash *= 1099511628211ull;
        hash ^= hash >> 29;
    }
    return static_cast<std::size_t>(hash);
}

// A position with a NaN equals nothing, so such edges are never found.
int EdgeLookup::find(const std::vector<Vector3>& vertices, int a, int b) const {
    const Vector3& p = vertices[a];
    const Vector3& q = vertices[b];
    if (hasNan(p) || hasNan(q)) return -1;
    const auto found = table.find(makeKey(p, q));
    return found == table.end() ? -1 : found->second;
}

void EdgeLookup::insert(const std::vector<Vector3>& vertices, int a, int b, int edgeIndex) {
    const Vector3& p = vertices[a];
    const Vector3& q = vertices[b];
    if (hasNan(p) || hasNan(q)) return;
    table.emplace(makeKey(p, q), edgeIndex);
}

int findEdge(const std::vector<Edge>& edges, const std::vector<Vector3>& vertices, int a, int b) {
    const Vector3& p = vertices[a];
    const Vector3& q = vertices[b];
    for (std::size_t e = 0; e < edges.size(); ++e) {
        const Vector3& start = vertices[edges[e].vertex0];
        const Vector3& end = vertices[edges[e].vertex1];
        if ((samePosition(start, p) && samePosition(end, q)) || (samePosition(start, q) && samePosition(end, p))) {
            return static_cast<int>(e);
        }
    }
    return -1;
}

EdgeConnectivity connectEdges(const std::vector<Vector3>& vertices, const Model3dsFace* faces,
                              std::size_t faceCount, EdgeSearch search) {
    EdgeBuilder builder{vertices, search, {}, {}};
    if (search == EdgeSearch::Hashed) builder.lookup.table.reserve(faceCount * 2);
    for (std::size_t f = 0; f < faceCount; ++f) {
        const Model3dsFace& face = faces[f];
        if (!indicesInRange(face, vertices.size())) {
            std::cerr << "[ERROR] Face " << f << " refers to a vertex outside the model; left out of the edges"
                      << std::endl;
            continue;
        }
        const int i0 = static_cast<int>(face.indices[0]);
        const int i1 = static_cast<int>(face.indices[1]);
        const int i2 = static_cast<int>(face.indices[2]);
        const int index = static_cast<int>(f);
        builder.addEdge(i0, i1, index);
        builder.addEdge(i1, i2, index);
        builder.addEdge(i2, i0, index);
    }
    builder.reportUnlistedErrors();
    return builder.result;
}

int countInvalidEdges(const std::vector<Edge>& edges) {
    int invalid = 0;
    for (const Edge& edge : edges) {
        if (edge.vertex0 < 0 || edge.vertex1 < 0 || edge.face0 < 0 || edge.face1 < 0) ++invalid;
    }
    return invalid;
}
