#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "MeshFiles.h"
#include "platform/model/Model3ds.h"

// Loading runs without any OpenGL context: these tests never make one.
namespace {

Vector3 corner(const Model3ds& model, const Model3dsFace& face, int k) { return model.vertices[face.indices[k]]; }

// The loaded face holds the file face's positions in the same cyclic order.
bool sameTriangle(const Model3ds& model, const Model3dsFace& face, const ThreeDsMesh& mesh, const ThreeDsFace& f) {
    const Vector3 expected[3] = {mesh.positions[f.a], mesh.positions[f.b], mesh.positions[f.c]};
    for (int shift = 0; shift < 3; ++shift) {
        bool all = true;
        for (int k = 0; k < 3; ++k) all = all && samePosition(corner(model, face, k), expected[(k + shift) % 3]);
        if (all) return true;
    }
    return false;
}

void expectFileMesh(const Model3ds& model, const std::vector<ThreeDsMesh>& meshes) {
    size_t face = 0;
    for (const ThreeDsMesh& mesh : meshes)
        for (const ThreeDsFace& f : mesh.faces) {
            ASSERT_LT(face, model.faces.size());
            EXPECT_TRUE(sameTriangle(model, model.faces[face], mesh, f)) << "face " << face;
            ++face;
        }
    EXPECT_EQ(face, model.faces.size());
}

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

Vector3 unit(Vector3 v) { return normalize(v); }

void expectEmpty(const Model3ds& model) {
    EXPECT_EQ(model.vertexCount, 0u);
    EXPECT_EQ(model.faceCount, 0u);
    EXPECT_TRUE(model.vertices.empty());
    EXPECT_TRUE(model.faces.empty());
    EXPECT_TRUE(model.renderMesh.indices.empty());
}

// Every index in range, counts in step with the arrays.
void expectConsistent(const Model3ds& model) {
    ASSERT_EQ(model.vertexCount, model.vertices.size());
    ASSERT_EQ(model.faceCount, model.faces.size());
    ASSERT_EQ(model.renderMesh.indices.size(), 3 * model.faces.size());
    for (const Model3dsFace& f : model.faces)
        for (int k = 0; k < 3; ++k) {
            ASSERT_LT(f.indices[k], model.vertexCount);
            ASSERT_LT(f.renderIndices[k], model.renderMesh.vertices.size());
        }
}

}  // namespace

TEST(ModelLoad, CubeKeepsPositionsTrianglesAndWinding) {
    const ThreeDsMesh cube = cubeMesh(true);
    const std::string path = writeMeshFile("cube_hard.3ds", {cube});
    Model3ds model;
    ASSERT_TRUE(model.loadModelWithTangents(path));
    EXPECT_EQ(model.vertexCount, 8u);  // 24 file positions, 8 distinct
    EXPECT_EQ(model.faceCount, 12u);
    expectConsistent(model);
    expectFileMesh(model, {cube});
    for (const Vector3& p : model.vertices) EXPECT_EQ(std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z), 3.0f);
    // Counter-clockwise from outside: the geometric normal points away from the centre.
    for (const Model3dsFace& f : model.faces) {
        const Vector3 a = corner(model, f, 0), b = corner(model, f, 1), c = corner(model, f, 2);
        EXPECT_GT(dot(cross(b - a, c - a), a + b + c), 0.0f);
    }
}

TEST(ModelLoad, VerticesAreDistinctPositionsInOrderOfFirstUse) {
    const ThreeDsMesh cube = cubeMesh(true);
    Model3ds model(writeMeshFile("cube_order.3ds", {cube}));
    std::vector<Vector3> expected;
    for (const ThreeDsFace& f : cube.faces)
        for (std::uint16_t i : {f.a, f.b, f.c}) {
            bool seen = false;
            for (const Vector3& p : expected) seen = seen || samePosition(p, cube.positions[i]);
            if (!seen) expected.push_back(cube.positions[i]);
        }
    ASSERT_EQ(model.vertices.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(samePosition(model.vertices[i], expected[i])) << i;
    // Faces meeting along an edge refer to the same two indices for it.
    size_t sharedEdges = 0;
    for (size_t f = 0; f < model.faces.size(); ++f)
        for (size_t g = f + 1; g < model.faces.size(); ++g)
            for (int j = 0; j < 3; ++j)
                for (int k = 0; k < 3; ++k) {
                    const std::uint32_t* a = model.faces[f].indices;
                    const std::uint32_t* b = model.faces[g].indices;
                    if (a[j] == b[(k + 1) % 3] && a[(j + 1) % 3] == b[k]) ++sharedEdges;
                }
    EXPECT_EQ(sharedEdges, 18u);  // 12 cube edges and 6 diagonals, each met in both directions once
}

TEST(ModelLoad, FaceRecordsAre144BytesWithNormalsFirstAndIndicesLast) {
    Model3ds model(writeMeshFile("cube_records.3ds", {cubeMesh(true)}));
    ASSERT_EQ(model.faceCount, 12u);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(model.faces.data());
    for (std::uint32_t f = 0; f < model.faceCount; ++f) {
        const unsigned char* record = bytes + 144 * f;
        float normals[9];
        std::uint32_t indices[3];
        std::memcpy(normals, record, sizeof(normals));
        std::memcpy(indices, record + 132, sizeof(indices));
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(indices[k], model.faces[f].indices[k]);
            EXPECT_LT(indices[k], model.vertexCount);
            EXPECT_EQ(normals[3 * k], model.faces[f].normals[k].x);
            EXPECT_EQ(normals[3 * k + 2], model.faces[f].normals[k].z);
        }
    }
}

TEST(ModelLoad, SmoothingGroupsGiveHardAndSmoothNormals) {
    Model3ds hard(writeMeshFile("normals_hard.3ds", {cubeMesh(true)}));
    ASSERT_EQ(hard.faceCount, 12u);
    for (const Model3dsFace& f : hard.faces)
        for (int k = 0; k < 3; ++k) expectNear(f.normals[k], f.faceNormal);

    Model3ds soft(writeMeshFile("normals_soft.3ds", {cubeMesh(false)}));
    ASSERT_EQ(soft.faceCount, 12u);
    for (const Model3dsFace& f : soft.faces)
        for (int k = 0; k < 3; ++k) {
            const Vector3 p = corner(soft, f, k);
            EXPECT_GT(dot(f.normals[k], p), 0.0f);
            EXPECT_LT(dot(f.normals[k], f.faceNormal), 0.99f) << "one group must round the cube's corners";
        }

    Model3ds tetra(writeMeshFile("normals_tetra.3ds", {tetrahedronMesh()}));
    ASSERT_EQ(tetra.vertexCount, 4u);
    for (const Model3dsFace& f : tetra.faces)
        for (int k = 0; k < 3; ++k) expectNear(f.normals[k], unit(corner(tetra, f, k)));
}

TEST(ModelLoad, TangentsRunAlongUWithHandednessTowardsV) {
    Model3ds cube;
    ASSERT_TRUE(cube.loadModelWithTangents(writeMeshFile("tangent_cube.3ds", {cubeMesh(true)})));
    const std::vector<CubeSide> sides = cubeSides();
    for (std::uint32_t f = 0; f < cube.faceCount; ++f) {
        const CubeSide& side = sides[f / 2];
        for (int k = 0; k < 3; ++k) {
            const Vector4& t = cube.faces[f].tangents[k];
            expectNear(t.xyz(), side.uAxis);
            EXPECT_EQ(t.w, 1.0f);
        }
    }
    for (bool mirrored : {false, true}) {
        Model3ds square;
        ASSERT_TRUE(square.loadModelWithTangents(writeMeshFile("tangent_square.3ds", {squareMesh(mirrored)})));
        for (const RenderVertex& v : square.renderMesh.vertices) {
            expectNear(v.tangent.xyz(), Vector3(mirrored ? -1.0f : 1.0f, 0, 0));
            expectNear(cross(v.normal, v.tangent.xyz()) * v.tangent.w, Vector3(0, 1, 0));
        }
    }
}

TEST(ModelLoad, PathConstructorLeavesTangentsToCalculateTangents) {
    Model3ds model(writeMeshFile("tangent_later.3ds", {squareMesh()}));
    ASSERT_EQ(model.faceCount, 2u);
    EXPECT_EQ(length(model.faces[0].tangents[0].xyz()), 0.0f);
    model.calculateTangents();
    for (const Model3dsFace& f : model.faces)
        for (int k = 0; k < 3; ++k) expectNear(f.tangents[k].xyz(), Vector3(1, 0, 0));
}

TEST(ModelLoad, MeshesOfOneFileAreConcatenatedOverSharedPositions) {
    const std::vector<ThreeDsMesh> meshes = {cubeMesh(true), tetrahedronMesh()};
    Model3ds model;
    ASSERT_TRUE(model.loadModelWithTangents(writeMeshFile("two_meshes.3ds", meshes)));
    EXPECT_EQ(model.faceCount, 16u);
    EXPECT_EQ(model.vertexCount, 8u);  // the tetrahedron stands on cube corners
    expectConsistent(model);
    expectFileMesh(model, meshes);

    const std::vector<ThreeDsMesh> apart = {cubeMesh(true), cubeMesh(true, Vector3(5, 0, 0))};
    Model3ds twoCubes(writeMeshFile("two_cubes.3ds", apart));
    EXPECT_EQ(twoCubes.vertexCount, 16u);
    EXPECT_EQ(twoCubes.faceCount, 24u);
    for (std::uint32_t f = 12; f < twoCubes.faceCount; ++f)
        for (int k = 0; k < 3; ++k) EXPECT_GE(twoCubes.faces[f].indices[k], 8u);
}

TEST(ModelLoad, PositionsMatchByFloatValueOnly) {
    ThreeDsMesh square = squareMesh();
    square.positions.push_back({-0.0f, 1.0f, 0.0f});  // the same point as (0, 1, 0)
    square.positions.push_back({0.0f, 1.0f, -0.0f});
    square.positions.push_back({0.0f, 1.0f + 1e-7f, 0.0f});  // a different point
    square.uvs.insert(square.uvs.end(), {0.5f, 1, 0.5f, 1, 0.5f, 1});
    square.faces.push_back({3, 2, 4, 1});
    square.faces.push_back({3, 2, 5, 1});
    square.faces.push_back({3, 2, 6, 1});
    Model3ds model(writeMeshFile("zeros.3ds", {square}));
    EXPECT_EQ(model.vertexCount, 6u);
    ASSERT_EQ(model.faceCount, 5u);
    EXPECT_EQ(model.faces[2].indices[2], model.faces[3].indices[2]);
    EXPECT_NE(model.faces[2].indices[2], model.faces[4].indices[2]);
}

TEST(ModelLoad, BadFilesGiveAnEmptyModel) {
    const std::string good = readBytes(writeMeshFile("good.3ds", {cubeMesh(true)}));
    const std::vector<std::string> paths = {
        scratchPath("does_not_exist.3ds"),
        writeBytes("empty.3ds", ""),
        writeBytes("text.3ds", "solid cube\nfacet normal 0 0 1\nendsolid\n"),
        writeBytes("header_only.3ds", good.substr(0, 6)),
        writeBytes("truncated.3ds", good.substr(0, good.size() / 2)),
        writeBytes("obj_named.3ds", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"),
        ZEN_TEST_TMP_DIR,
    };
    for (const std::string& path : paths) {
        Model3ds model;
        EXPECT_FALSE(model.loadModelWithTangents(path)) << path;
        expectEmpty(model);
    }
    Model3ds reloaded(writeMeshFile("reload.3ds", {cubeMesh(true)}));
    ASSERT_EQ(reloaded.faceCount, 12u);
    EXPECT_FALSE(reloaded.loadModelWithTangents(scratchPath("does_not_exist.3ds")));
    expectEmpty(reloaded);
}

TEST(ModelLoad, EveryTruncationIsRejected) {
    const std::string good = readBytes(writeMeshFile("cut.3ds", {cubeMesh(true), tetrahedronMesh()}));
    for (size_t size = 0; size < good.size(); size += 5) {
        Model3ds model;
        EXPECT_FALSE(model.loadModelWithTangents(writeBytes("cut_part.3ds", good.substr(0, size)))) << size;
        expectEmpty(model);
    }
}

TEST(ModelLoad, CorruptedFilesNeverYieldIndicesOutOfRange) {
    const std::string good = readBytes(writeMeshFile("noise.3ds", {cubeMesh(true)}));
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int round = 0; round < 150; ++round) {
        std::string bytes = good;
        for (int flips = 0; flips < 4; ++flips) bytes[6 + next() % (bytes.size() - 6)] = static_cast<char>(next() >> 24);
        Model3ds model;
        if (model.loadModelWithTangents(writeBytes("noise_part.3ds", bytes))) expectConsistent(model);
        else expectEmpty(model);
    }
}
