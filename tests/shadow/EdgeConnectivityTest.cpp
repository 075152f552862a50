#include <cmath>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "shadow/EdgeConnectivity.h"
#include "TestMeshes.h"

namespace {

struct Connected {
    EdgeConnectivity result;
    std::string errors;
};

Connected connect(const Model3ds& model, EdgeSearch search) {
    testing::internal::CaptureStderr();
    Connected c{connectEdges(model.vertices, model.faces.data(), model.faces.size(), search), {}};
    c.errors = testing::internal::GetCapturedStderr();
    return c;
}

class EdgeConnectivityBothWays : public testing::TestWithParam<EdgeSearch> {};

TEST_P(EdgeConnectivityBothWays, CubeOfTwentyFourVerticesGivesEighteenClosedEdges) {
    Model3ds cube;
    fillCube(cube);
    const Connected c = connect(cube, GetParam());
    ASSERT_EQ(c.result.edges.size(), 18u);
    EXPECT_EQ(countInvalidEdges(c.result.edges), 0);
    EXPECT_TRUE(c.result.badEdges.empty());
    EXPECT_EQ(c.errors, "");
    for (const Edge& e : c.result.edges) {
        EXPECT_GE(e.face0, 0);
        EXPECT_GE(e.face1, 0);
        EXPECT_NE(e.face0, e.face1);
    }
    // The first face's three sides come first, in winding order.
    EXPECT_EQ(c.result.edges[0].vertex0, 0);
    EXPECT_EQ(c.result.edges[0].vertex1, 1);
    EXPECT_EQ(c.result.edges[2].vertex0, 2);
    EXPECT_EQ(c.result.edges[2].face1, 1);  // the diagonal, shared with the side's second triangle
}

TEST_P(EdgeConnectivityBothWays, TrianglesJoinBySharedPositionsUnderOtherIndicesButNotByNearOnes) {
    Model3ds pair;
    addVertices(pair, {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 1, 0), Vector3(1, 0, 0),
                      Vector3(1, 1, 0)});
    addFace(pair, {0, 1, 2}, {0, 0, 1});
    Connected c = connect(pair, GetParam());  // a single triangle: three open edges, no error
    EXPECT_EQ(c.result.edges.size(), 3u);
    EXPECT_EQ(countInvalidEdges(c.result.edges), 3);
    EXPECT_EQ(c.errors, "");

    addFace(pair, {3, 4, 5}, {0, 0, -1});  // mixed winding: runs 2 -> 1 the same way as face 0
    c = connect(pair, GetParam());
    ASSERT_EQ(c.result.edges.size(), 5u);
    EXPECT_EQ(c.result.edges[1].face0, 0);
    EXPECT_EQ(c.result.edges[1].face1, 1);
    EXPECT_EQ(countInvalidEdges(c.result.edges), 4);

    pair.vertices[3].x = std::nextafter(0.0f, 1.0f);
    c = connect(pair, GetParam());
    EXPECT_EQ(c.result.edges.size(), 6u);
    EXPECT_EQ(countInvalidEdges(c.result.edges), 6);
}

TEST_P(EdgeConnectivityBothWays, ThirdFaceAndSelfMeetingFaceAreReferenceErrors) {
    Model3ds fan;
    addVertices(fan, {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, -1, 0), Vector3(0, 0, 1)});
    addFace(fan, {0, 1, 2}, {0, 0, 1});
    addFace(fan, {1, 0, 3}, {0, 0, 1});
    addFace(fan, {0, 1, 4}, {0, -1, 0});  // third face on edge 0
    addFace(fan, {2, 2, 4}, {1, 0, 0});   // degenerate: its side 2 -> 4 meets itself as 4 -> 2
    const Connected c = connect(fan, GetParam());
    const Edge first = c.result.edges[0];
    EXPECT_EQ(first.face0, 0);
    EXPECT_EQ(first.face1, 1);
    ASSERT_EQ(c.result.badEdges.size(), 2u);
    EXPECT_EQ(c.result.badEdges[0], first);
    const int selfEdge = static_cast<int>(c.result.edges.size()) - 1;
    EXPECT_EQ(c.errors, "[ERROR] Reference error for edge 0\n[ERROR] Reference error for edge " +
                            std::to_string(selfEdge) + "\n");
    EXPECT_EQ(c.result.edges[selfEdge].face1, -1);
}

TEST_P(EdgeConnectivityBothWays, ReferenceErrorsPastTheHundredthAreCountedInOneLine) {
    Model3ds fan;
    addVertices(fan, {Vector3(0, 0, 0), Vector3(1, 0, 0)});
    for (std::uint32_t face = 0; face < 107; ++face) {  // 105 faces too many on the edge 0 -> 1
        addVertex(fan, Vector3(0, 0, static_cast<float>(face + 1)));
        addFace(fan, {0, 1, face + 2}, {0, 1, 0});
    }
    const Connected c = connect(fan, GetParam());
    EXPECT_EQ(c.result.badEdges.size(), 105u);
    std::string expected;
    for (int line = 0; line < 100; ++line) expected += "[ERROR] Reference error for edge 0\n";
    EXPECT_EQ(c.errors, expected + "[ERROR] 5 more reference errors\n");
}

TEST_P(EdgeConnectivityBothWays, SignedZerosMatchAndNanNeverDoes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Model3ds mesh;
    addVertices(mesh, {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(-0.0f, 0, -0.0f),
                      Vector3(nan, 0, 0), Vector3(0, 2, 0)});
    addFace(mesh, {1, 0, 2}, {0, 0, 1});
    addFace(mesh, {3, 1, 5}, {0, 0, 1});  // 3 equals 0 as a float
    addFace(mesh, {4, 1, 2}, {0, 0, 1});
    addFace(mesh, {4, 1, 5}, {0, 0, 1});  // 4 -> 1 again, but NaN equals nothing
    const Connected c = connect(mesh, GetParam());
    ASSERT_EQ(c.result.edges.size(), 9u);
    EXPECT_EQ(c.result.edges[0].face1, 1);
    EXPECT_EQ(c.result.edges[3].face1, 3);
    int nanEdges = 0;
    for (const Edge& e : c.result.edges) {
        if (e.vertex0 == 4 || e.vertex1 == 4) {
            ++nanEdges;
            EXPECT_EQ(e.face1, -1);
        }
    }
    EXPECT_EQ(nanEdges, 4);
    EXPECT_EQ(c.errors, "");
}

TEST_P(EdgeConnectivityBothWays, FaceWithAnIndexOutsideTheVerticesIsLeftOut) {
    Model3ds mesh;
    addVertices(mesh, {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)});
    addFace(mesh, {0, 1, 7}, {0, 0, 1});
    addFace(mesh, {0, 1, 2}, {0, 0, 1});
    const Connected c = connect(mesh, GetParam());
    EXPECT_EQ(c.errors, "[ERROR] Face 0 refers to a vertex outside the model; left out of the edges\n");
    ASSERT_EQ(c.result.edges.size(), 3u);
    EXPECT_EQ(c.result.edges[0].face0, 1);
}

INSTANTIATE_TEST_SUITE_P(, EdgeConnectivityBothWays, testing::Values(EdgeSearch::Scan, EdgeSearch::Hashed),
                         [](const auto& info) { return info.param == EdgeSearch::Scan ? "Scan" : "Hashed"; });

// Random faces over a small pool of positions, many of them repeated under several
// indices: shared edges, third faces, degenerate faces and both windings.
void fillAdversarial(Model3ds& mesh, unsigned seed, int positions, int copies, int faces) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> coordinate(-2, 2);
    std::vector<Vector3> pool;
    for (int i = 0; i < positions; ++i) {
        pool.emplace_back(coordinate(random) * 0.5f, coordinate(random) * 0.5f, i % 7 == 0 ? -0.0f : 0.0f);
    }
    for (int c = 0; c < copies; ++c) {
        for (const Vector3& p : pool) addVertex(mesh, p);
    }
    std::uniform_int_distribution<std::uint32_t> corner(0, mesh.vertexCount - 1);
    for (int f = 0; f < faces; ++f) addFace(mesh, {corner(random), corner(random), corner(random)}, {0, 0, 1});
}

void expectSameConnectivity(const Model3ds& mesh) {
    const Connected scan = connect(mesh, EdgeSearch::Scan);
    const Connected hashed = connect(mesh, EdgeSearch::Hashed);
    EXPECT_EQ(scan.result.edges, hashed.result.edges);
    EXPECT_EQ(scan.result.badEdges, hashed.result.badEdges);
    EXPECT_EQ(scan.errors, hashed.errors);
}

TEST(EdgeSearchAgreement, HashedMatchesTheScanOnAdversarialAndGridMeshes) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Model3ds mesh;
        fillAdversarial(mesh, seed, 12 + static_cast<int>(seed), 1 + seed % 3, 60);
        SCOPED_TRACE(seed);
        expectSameConnectivity(mesh);
    }
    // A jittered grid: mostly clean pairs, with one triangle in five flipped.
    std::mt19937 random(99);
    Model3ds grid;
    const int n = 24;
    for (int y = 0; y <= n; ++y) {
        for (int x = 0; x <= n; ++x) addVertex(grid, {static_cast<float>(x), static_cast<float>(y), 0});
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const std::uint32_t a = y * (n + 1) + x, b = a + 1, c = a + n + 1, d = c + 1;
            if (random() % 5 == 0) addFace(grid, {a, c, b}, {0, 0, -1});
            else addFace(grid, {a, b, c}, {0, 0, 1});
            addFace(grid, {b, d, c}, {0, 0, 1});
        }
    }
    expectSameConnectivity(grid);
    const Connected c = connect(grid, EdgeSearch::Hashed);
    EXPECT_EQ(c.result.edges.size(), static_cast<std::size_t>(3 * n * n + 2 * n));
}

}  // namespace
