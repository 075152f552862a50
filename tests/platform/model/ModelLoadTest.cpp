#include <gtest/gtest.h>

#include <cstring>

#include "MeshFiles.h"
#include "platform/model/Model3ds.h"
#include "support/ExpectNear.h"

// Loading needs no OpenGL context: these tests never make one.
namespace {

Vector3 corner(const Model3ds& m, const Model3dsFace& f, int k) { return m.vertices[f.indices[k]]; }

// Face by face, the file's triangles with their positions in the same cyclic order.
void expectFileTriangles(const Model3ds& model, const std::vector<ThreeDsMesh>& meshes) {
    size_t i = 0;
    for (const ThreeDsMesh& mesh : meshes)
        for (const ThreeDsFace& f : mesh.faces) {
            ASSERT_LT(i, model.faces.size());
            const Vector3 want[3] = {mesh.positions[f.a], mesh.positions[f.b], mesh.positions[f.c]};
            bool found = false;
            for (int s = 0; s < 3; ++s)
                found = found || (samePosition(corner(model, model.faces[i], 0), want[s]) &&
                                  samePosition(corner(model, model.faces[i], 1), want[(s + 1) % 3]) &&
                                  samePosition(corner(model, model.faces[i], 2), want[(s + 2) % 3]));
            EXPECT_TRUE(found) << "face " << i;
            ++i;
        }
    EXPECT_EQ(i, model.faces.size());
}

// Empty after a failure; otherwise counts agree with the arrays and every index is in range.
void expectSound(const Model3ds& m, bool loaded) {
    ASSERT_EQ(m.vertexCount, m.vertices.size());
    ASSERT_EQ(m.faceCount, m.faces.size());
    ASSERT_EQ(m.renderMesh.indices.size(), 3 * m.faces.size());
    EXPECT_TRUE(loaded || m.faceCount + m.vertexCount == 0u);
    for (const Model3dsFace& f : m.faces)
        for (int k = 0; k < 3; ++k) ASSERT_TRUE(f.indices[k] < m.vertexCount && f.renderIndices[k] < m.renderMesh.vertices.size());
}

}  // namespace

TEST(ModelLoad, CubeKeepsTheFilesPositionsTrianglesAndWindingInSharedVertices) {
    const ThreeDsMesh cube = cubeMesh(true);
    Model3ds model;
    ASSERT_TRUE(model.loadModelWithTangents(writeMeshFile("cube.3ds", {cube})));
    EXPECT_EQ(model.faceCount, 12u);
    ASSERT_EQ(model.vertexCount, 8u);  // 24 file positions, 8 distinct
    expectSound(model, true);
    expectFileTriangles(model, {cube});
    // The +x and -x sides use all eight corners first, in file order.
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(samePosition(model.vertices[i], cube.positions[i])) << i;
    for (const Model3dsFace& f : model.faces) {
        const Vector3 a = corner(model, f, 0), b = corner(model, f, 1), c = corner(model, f, 2);
        EXPECT_GT(dot(cross(b - a, c - a), a + b + c), 0.0f) << "counter-clockwise from outside";
    }
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(model.faces.data());
    std::uint32_t index;
    float normalZ;
    std::memcpy(&index, bytes + 144 * 11 + 136, 4);
    std::memcpy(&normalZ, bytes + 144 * 11 + 32, 4);
    EXPECT_EQ(index, model.faces[11].indices[1]);
    EXPECT_EQ(normalZ, -1.0f);  // last side faces -z
}

TEST(ModelLoad, SmoothingGroupsGiveNormalsAndUvsGiveTangents) {
    Model3ds hard, soft, tetra;
    ASSERT_TRUE(hard.loadModelWithTangents(writeMeshFile("hard.3ds", {cubeMesh(true)})));
    ASSERT_TRUE(soft.loadModelWithTangents(writeMeshFile("soft.3ds", {cubeMesh(false)})));
    ASSERT_TRUE(tetra.loadModelWithTangents(writeMeshFile("tetra.3ds", {tetrahedronMesh()})));
    for (std::uint32_t f = 0; f < 12; ++f)
        for (int k = 0; k < 3; ++k) {
            const CubeSide side = cubeSides()[f / 2];
            expectNear(hard.faces[f].normals[k], side.normal);
            expectNear(hard.faces[f].tangents[k].xyz(), side.uAxis);
            EXPECT_EQ(hard.faces[f].tangents[k].w, 1.0f);
            EXPECT_GT(dot(soft.faces[f].normals[k], corner(soft, soft.faces[f], k)), 0.0f);
            EXPECT_LT(dot(soft.faces[f].normals[k], side.normal), 0.99f) << "one group rounds the corners";
        }
    for (const Model3dsFace& f : tetra.faces)
        for (int k = 0; k < 3; ++k) {
            Vector3 p = corner(tetra, f, k);
            expectNear(f.normals[k], normalize(p));
        }
    for (bool mirrored : {false, true}) {
        Model3ds square(writeMeshFile("square.3ds", {squareMesh(mirrored)}));
        EXPECT_EQ(length(square.renderMesh.vertices[0].tangent.xyz()), 0.0f) << "left to calculateTangents";
        square.calculateTangents();
        for (const Model3dsFace& f : square.faces)
            for (int k = 0; k < 3; ++k) {
                expectNear(f.tangents[k].xyz(), Vector3(mirrored ? -1.0f : 1.0f, 0, 0));
                expectNear(cross(f.normals[k], f.tangents[k].xyz()) * f.tangents[k].w, Vector3(0, 1, 0));
            }
    }
}

TEST(ModelLoad, MeshesOfOneFileConcatenateAndShareEqualPositions) {
    const std::vector<ThreeDsMesh> meshes = {cubeMesh(true), tetrahedronMesh()};
    Model3ds model(writeMeshFile("cube_tetra.3ds", meshes));
    EXPECT_EQ(model.faceCount, 16u);
    EXPECT_EQ(model.vertexCount, 8u);  // the tetrahedron stands on cube corners
    expectFileTriangles(model, meshes);
    ThreeDsMesh zeros = squareMesh();  // -0 and +0 are one position
    zeros.positions[0] = {-0.0f, -1, 0};
    zeros.positions[1] = {0.0f, -1, 0};
    EXPECT_EQ(Model3ds(writeMeshFile("zeros.3ds", {zeros})).vertexCount, 3u);
}

TEST(ModelLoad, MissingTruncatedCorruptOrForeignFilesGiveAnEmptyModel) {
    const std::string good = readFile(writeMeshFile("good.3ds", {cubeMesh(true), tetrahedronMesh()}));
    std::vector<std::string> paths = {scratchPath("absent.3ds"), ZEN_TEST_TMP_DIR, writeScratchFile("text.3ds", "v 0 0 0\nf 1 1 1\n")};
    for (size_t size = 0; size < good.size(); size += 7) paths.push_back(writeScratchFile("cut" + std::to_string(size), good.substr(0, size)));
    for (const std::string& path : paths) {
        Model3ds model(writeMeshFile("before.3ds", {squareMesh()}));
        EXPECT_FALSE(model.loadModelWithTangents(path)) << path;
        expectSound(model, false);
    }
    std::uint32_t seed = 12345;
    for (int round = 0; round < 150; ++round) {
        std::string bytes = good;
        for (int flip = 0; flip < 4; ++flip) {
            seed = seed * 1664525u + 1013904223u;
            bytes[6 + seed % (bytes.size() - 6)] = static_cast<char>(seed >> 24);
        }
        Model3ds model;
        expectSound(model, model.loadModelWithTangents(writeScratchFile("noise.3ds", bytes)));
    }
}
