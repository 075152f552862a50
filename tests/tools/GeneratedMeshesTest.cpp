#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "platform/model/Model3ds.h"
#include "shadow/EdgeConnectivity.h"
#include "support/GlContext.h"

namespace {

struct Bounds {
    Vector3 low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
    Vector3 size() const { return high - low; }
};

Bounds boundsOf(const Model3ds& model) {
    Bounds b;
    for (const Vector3& p : model.vertices) {
        b.low = {std::min(b.low.x, p.x), std::min(b.low.y, p.y), std::min(b.low.z, p.z)};
        b.high = {std::max(b.high.x, p.x), std::max(b.high.y, p.y), std::max(b.high.z, p.z)};
    }
    return b;
}

Vector3 corner(const Model3ds& model, const Model3dsFace& face, int k) { return model.vertices[face.indices[k]]; }

double enclosedVolume(const Model3ds& model) {
    double volume = 0.0;
    for (const Model3dsFace& f : model.faces)
        volume += dot(corner(model, f, 0), cross(corner(model, f, 1), corner(model, f, 2))) / 6.0;
    return volume;
}

class GeneratedMeshes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { context = new GlContext(16, 16); }
    static void TearDownTestSuite() {
        delete context;
        context = nullptr;
    }
    static GlContext* context;

    static std::unique_ptr<Model3ds> load(const std::string& name) {
        auto model = std::make_unique<Model3ds>();
        EXPECT_TRUE(model->loadModelWithTangents("../resources/models/" + name)) << name;
        return model;
    }

    static void expectClosedAndOutward(const Model3ds& model) {
        ASSERT_GT(model.faceCount, 0u);
        EXPECT_LE(model.vertexCount, 65535u);
        EXPECT_LE(model.faceCount, 65535u);
        // Closed and consistently wound: every edge joins two faces that run it both ways.
        const EdgeConnectivity c = connectEdges(model.vertices, model.faces.data(), model.faces.size(), EdgeSearch::Hashed);
        EXPECT_GT(c.edges.size(), 0u);
        EXPECT_EQ(countInvalidEdges(c.edges), 0);
        EXPECT_TRUE(c.badEdges.empty());
        EXPECT_GT(enclosedVolume(model), 0.0);
        for (const Model3dsFace& f : model.faces) {
            const Vector3 n = cross(corner(model, f, 1) - corner(model, f, 0), corner(model, f, 2) - corner(model, f, 0));
            ASSERT_GT(length(n), 0.0f) << "degenerate triangle";
        }
    }
};
GlContext* GeneratedMeshes::context = nullptr;

TEST_F(GeneratedMeshes, PlanetIsAClosedSphereOfRadiusThreePointFive) {
    const auto planet = load("planet/planet.3ds");
    expectClosedAndOutward(*planet);
    for (const Vector3& p : planet->vertices) ASSERT_NEAR(length(p), 3.5f, 1e-3f);
    for (const Model3dsFace& f : planet->faces) {
        const Vector3 a = corner(*planet, f, 0), b = corner(*planet, f, 1), c = corner(*planet, f, 2);
        ASSERT_GT(dot(cross(b - a, c - a), a + b + c), 0.0f) << "face wound clockwise from outside";
    }
}

TEST_F(GeneratedMeshes, AsteroidIsALumpyRockOfRadiusAboutOne) {
    const auto rock = load("asteroid/asteroid.3ds");
    expectClosedAndOutward(*rock);
    float nearest = 1e9f, farthest = 0.0f;
    for (const Vector3& p : rock->vertices) {
        nearest = std::min(nearest, length(p));
        farthest = std::max(farthest, length(p));
    }
    EXPECT_GT(nearest, 0.4f);
    EXPECT_LT(farthest, 1.8f);
    EXPECT_GT(farthest - nearest, 0.3f) << "not lumpy";
}

TEST_F(GeneratedMeshes, PodiumHasAFlatPadAtTheTopWithHardEdges) {
    const auto podium = load("podium/podium.3ds");
    expectClosedAndOutward(*podium);
    const Bounds b = boundsOf(*podium);
    EXPECT_NEAR(b.high.y, 0.0f, 1e-4f);
    EXPECT_GT(b.size().x, 30.0f);
    EXPECT_LT(b.size().x, 40.0f);
    EXPECT_NEAR(b.size().x, b.size().z, 1.0f);
    size_t padFaces = 0;
    for (const Model3dsFace& f : podium->faces) {
        if (corner(*podium, f, 0).y != 0.0f || corner(*podium, f, 1).y != 0.0f || corner(*podium, f, 2).y != 0.0f) continue;
        ++padFaces;
        for (const Vector3& n : f.normals) EXPECT_GT(n.y, 0.999f) << "pad normal smoothed into its rim";
    }
    EXPECT_GT(padFaces, 8u);
}

TEST_F(GeneratedMeshes, FighterPointsItsNoseAlongZAndItsFinsUp) {
    const auto fighter = load("spaceFighter/spaceFighter.3ds");
    expectClosedAndOutward(*fighter);
    EXPECT_GE(fighter->faceCount, 1000u);
    EXPECT_LE(fighter->faceCount, 6000u);
    const Bounds b = boundsOf(*fighter);
    EXPECT_GE(b.size().z, 10.0f);
    EXPECT_LE(b.size().z, 12.0f);
    EXPECT_LT(b.size().y, 0.4f * b.size().x) << "wings should spread sideways";
    EXPECT_NEAR(b.low.x + b.high.x, 0.0f, 1e-3f) << "symmetric about x = 0";
    for (const Vector3& p : fighter->vertices) {
        if (p.z == b.high.z) {
            EXPECT_NEAR(p.x, 0.0f, 1e-4f) << "nose tip on the centre line";
        }
        if (p.y == b.high.y) {
            EXPECT_LT(p.z, -2.0f) << "the highest point should be a tail fin";
        }
    }
}

}  // namespace
