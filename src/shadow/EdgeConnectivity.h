#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "math/Vector3.h"
#include "platform/model/Model3ds.h"
#include "shadow/Edge.h"

// How a face side finds the edge it belongs to: a scan over every edge found so
// far, or a hash table of end-position pairs. Both give the same edges.
enum class EdgeSearch { Scan, Hashed };

// The exact bit patterns of an edge's two end positions, smaller triple first,
// so that a -> b and b -> a give the same key.
struct PositionPair {
    std::uint32_t bits[6] = {};
};
bool operator==(const PositionPair& a, const PositionPair& b);

struct PositionPairHash {
    std::size_t operator()(const PositionPair& key) const;
};

// Edge index by end positions, answering exactly as the scan does.
class EdgeLookup {
public:
    std::unordered_map<PositionPair, int, PositionPairHash> table;

    int find(const std::vector<Vector3>& vertices, int a, int b) const;
    void insert(const std::vector<Vector3>& vertices, int a, int b, int edgeIndex);
};

// The edges and the copies of every edge a face side failed to attach to.
struct EdgeConnectivity {
    std::vector<Edge> edges;
    std::vector<Edge> badEdges;
};

// First edge whose end positions equal those of a and b, in either direction; -1 if none.
int findEdge(const std::vector<Edge>& edges, const std::vector<Vector3>& vertices, int a, int b);

// Reference errors printed one by one; the rest are counted in one line.
constexpr std::size_t kReportedReferenceErrors = 100;

// Joins the faces' sides into edges in face order; prints a reference error for
// a third face on an edge or a face meeting its own edge again, the first
// kReportedReferenceErrors of them, then "[ERROR] <n> more reference errors".
EdgeConnectivity connectEdges(const std::vector<Vector3>& vertices, const Model3dsFace* faces,
                              std::size_t faceCount, EdgeSearch search);

// Edges whose fields include a negative value: the open edges.
int countInvalidEdges(const std::vector<Edge>& edges);
