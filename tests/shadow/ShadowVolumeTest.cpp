#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "shading/ShaderProgram.h"
#include "shadow/ShadowVolume.h"
#include "SharedContext.h"
#include "support/ExpectNear.h"
#include "TestMeshes.h"

namespace {

using PositionKey = std::tuple<float, float, float>;

PositionKey key(const Vector3& p) { return {p.x, p.y, p.z}; }

// True when the silhouette edges form closed loops: every end position is met an even number of times.
bool formsClosedLoops(const ShadowVolume& volume) {
    std::map<PositionKey, int> ends;
    for (int e : volume.silhouette) {
        ++ends[key(volume.vertices[volume.edges[e].vertex0])];
        ++ends[key(volume.vertices[volume.edges[e].vertex1])];
    }
    for (const auto& entry : ends) {
        if (entry.second % 2 != 0) return false;
    }
    return !ends.empty();
}

// Object +z to world +x, object +x to world -z, then a translation.
Matrix4 zToXWithTranslation() { return product(translation(Vector3(5, -3, 2)), fromAxes({0, 0, -1}, {0, 1, 0}, {1, 0, 0})); }

class ShadowVolumeTest : public testing::Test {
protected:
    GlContext& gl = sharedContext();
    Model3ds cube;

    void SetUp() override { fillCube(cube); }

    // Lights the volume as renderVolume does, without drawing.
    static void light(ShadowVolume& volume, const Vector4& worldLight, const Matrix4& model = Matrix4()) {
        volume.light = worldLight;
        volume.updateFacing(model);
        volume.findSilhouette();
    }
};

TEST_F(ShadowVolumeTest, ConstructionPrintsTheEdgeLinesAndPreparesEveryArray) {
    cube.faces[0].normals[0] = {5, 0, 0};
    cube.faces[0].normals[1] = {0, 7, 0};
    cube.faces[0].normals[2] = {0, 0, 0};
    testing::internal::CaptureStdout();
    ShadowVolume volume(&cube, "Cube");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "[INFO] Computing Edges for Model Cube\n[INFO] 18edges added for model.(Invalid: 0)\n");
    EXPECT_EQ(volume.vertices.size(), 24u);
    EXPECT_EQ(volume.faceCount, 12u);
    EXPECT_EQ(volume.faces, cube.faces.data());
    ASSERT_EQ(volume.faceNormals.size(), 12u);
    EXPECT_EQ(volume.faceNormals[0].x, 5.0f / 3.0f);  // the sum divided by 3, not normalised
    EXPECT_EQ(volume.faceNormals[0].y, 7.0f / 3.0f);
    EXPECT_EQ(volume.awayFromLight.size(), 12u);
    EXPECT_EQ(volume.extrusionVectors.size(), 24u);
    EXPECT_EQ(volume.lightMode, 0);
    EXPECT_EQ(volume.light.w, 0.0f);
    EXPECT_TRUE(volume.extrusionShader->vertexLoaded && volume.extrusionShader->fragmentLoaded);
}

TEST_F(ShadowVolumeTest, AMissingModelIsReportedAndCastsNothing) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    ShadowVolume none(nullptr, "Nothing");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[ERROR] No model for shadow volume Nothing\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "[INFO] Computing Edges for Model Nothing\n[INFO] 0edges added for model.(Invalid: 0)\n");
    light(none, {0, 0, 1, 0});
    EXPECT_TRUE(none.silhouette.empty());

}

TEST_F(ShadowVolumeTest, FacingCountsEdgeOnFacesAsLitAndTheSilhouetteClosesAroundThem) {
    ShadowVolume volume(&cube, "Cube");
    light(volume, {0, 0, 1, 0});  // travelling along -z: only the -z side is turned away
    for (std::uint32_t f = 0; f < 12; ++f) EXPECT_EQ(volume.awayFromLight[f], f >= 10 ? 1 : 0) << f;
    EXPECT_EQ(volume.silhouette.size(), 4u);
    EXPECT_TRUE(formsClosedLoops(volume));

    light(volume, {1, 1, 1, 0});
    EXPECT_EQ(volume.silhouette.size(), 6u);
    EXPECT_TRUE(formsClosedLoops(volume));
    for (int e : volume.silhouette) {
        const Edge& edge = volume.edges[e];
        EXPECT_NE(volume.awayFromLight[edge.face0], volume.awayFromLight[edge.face1]);
    }
    EXPECT_EQ(std::set<int>(volume.silhouette.begin(), volume.silhouette.end()).size(), 6u);
}

TEST_F(ShadowVolumeTest, LightMovesIntoEachInstancesObjectSpace) {
    ShadowVolume volume(&cube, "Cube");
    const Matrix4 model = zToXWithTranslation();
    light(volume, {1, 0, 0, 0}, model);
    expectNear(volume.light.xyz(), Vector3(0, 0, 1), 1e-6f);
    EXPECT_EQ(volume.light.w, 0.0f);
    light(volume, {6, -3, 2, 1}, model);  // a point picks up the translation
    expectNear(volume.light.xyz(), Vector3(0, 0, 1));

    light(volume, {0, 0, 1, 0});
    const std::set<int> first(volume.silhouette.begin(), volume.silhouette.end());
    Matrix4 halfTurn;  // half a turn about x, exactly
    halfTurn.columns[1] = {0, -1, 0, 0};
    halfTurn.columns[2] = {0, 0, -1, 0};
    light(volume, {0, 0, 1, 0}, halfTurn);  // object +z now faces the light's travel
    EXPECT_NEAR(volume.light.z, -1.0f, 1e-6f);
    EXPECT_EQ(volume.awayFromLight[8], 1);
    const std::set<int> second(volume.silhouette.begin(), volume.silhouette.end());
    EXPECT_EQ(second.size(), 4u);
    for (int e : second) EXPECT_EQ(first.count(e), 0u) << e;
}

TEST_F(ShadowVolumeTest, OpenEdgesJoinTheSilhouetteWhicheverWayTheSheetFaces) {
    Model3ds sheet;
    fillSheet(sheet, 1.0f, true);
    ShadowVolume volume(&sheet, "Sheet");
    for (float towards : {1.0f, -1.0f}) {
        light(volume, {0, 0, towards, 0});
        EXPECT_EQ(volume.awayFromLight[0], towards < 0 ? 1 : 0);
        ASSERT_EQ(volume.silhouette.size(), 4u);
        for (int e : volume.silhouette) EXPECT_EQ(volume.edges[e].face1, -1);
        EXPECT_TRUE(formsClosedLoops(volume));
    }
}

}  // namespace
