#pragma once

// One edge of a mesh: the side of face0 running from vertex0 to vertex1, and the
// second face that shares its two end positions (-1 while there is none).
struct Edge {
    int vertex0 = 0;
    int vertex1 = 0;
    int face0 = -1;
    int face1 = -1;
};

inline bool operator==(const Edge& a, const Edge& b) {
    return a.vertex0 == b.vertex0 && a.vertex1 == b.vertex1 && a.face0 == b.face0 && a.face1 == b.face1;
}
inline bool operator!=(const Edge& a, const Edge& b) { return !(a == b); }
