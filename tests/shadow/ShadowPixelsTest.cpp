#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "shadow/PassStates.h"
#include "shadow/ShadowVolume.h"
#include "SharedContext.h"
#include "TestMeshes.h"

namespace {

// The view: eye at the origin looking down -z with a 90 degree frustum, a floor at
// y = -3 facing up, a caster above it and a directional light from above and +x.
const float kFloorY = -3.0f;
const Vector4 kLight(0.3f, 1.0f, 0.2f, 0.0f);
const float kAmbientGrey = 0.2f;
const float kLitGrey = 0.4f;

struct Box {
    Vector3 min, max;
};

// Slab test: does origin + t * direction meet the box for some t > 0? Gives the nearest t.
bool hits(const Box& box, const Vector3& origin, const Vector3& direction, float& nearest) {
    float enter = 1e-4f, leave = 1e30f;
    const float o[3] = {origin.x, origin.y, origin.z}, d[3] = {direction.x, direction.y, direction.z};
    const float lo[3] = {box.min.x, box.min.y, box.min.z}, hi[3] = {box.max.x, box.max.y, box.max.z};
    for (int i = 0; i < 3; ++i) {
        if (d[i] == 0.0f) {
            if (o[i] < lo[i] || o[i] > hi[i]) return false;
            continue;
        }
        float a = (lo[i] - o[i]) / d[i], b = (hi[i] - o[i]) / d[i];
        if (a > b) std::swap(a, b);
        enter = std::max(enter, a);
        leave = std::min(leave, b);
    }
    nearest = enter;
    return enter <= leave;
}

bool inShadow(const Box& caster, const Vector3& point) {
    float t = 0;
    return hits(caster, point, kLight.xyz(), t);
}

enum class Expected { Background, Caster, Lit, Shadowed };

struct PixelOracle {
    Expected expected;
    bool rayCrossesVolume;  // the view ray passes through shadow on its way to a lit floor point
};

PixelOracle expectAt(const Box& caster, int x, int y, int size) {
    const Vector3 ray((x + 0.5f) / size * 2 - 1, (y + 0.5f) / size * 2 - 1, -1.0f);
    float t = 0;
    if (hits(caster, Vector3(), ray, t)) return {Expected::Caster, false};
    if (ray.y >= 0) return {Expected::Background, false};
    const float floorT = kFloorY / ray.y;
    if (floorT > 50) return {Expected::Background, false};  // the far floor, left to the horizon
    if (inShadow(caster, ray * floorT)) return {Expected::Shadowed, false};
    bool crosses = false;
    for (float s = 0.5f; s < floorT; s += 0.05f) crosses = crosses || (ray.y * s < caster.min.y && inShadow(caster, ray * s));
    return {Expected::Lit, crosses};
}

void drawFloor(float grey) {
    glColor3f(grey, grey, grey);
    glBegin(GL_QUADS);
    glVertex3f(-200, kFloorY, 1);
    glVertex3f(200, kFloorY, 1);
    glVertex3f(200, kFloorY, -90);
    glVertex3f(-200, kFloorY, -90);
    glEnd();
}

void drawModel(const Model3ds& model, const Matrix4& placement, float grey) {
    glPushMatrix();
    glMultMatrixf(placement.data());
    glColor3f(grey, grey, grey);
    glBegin(GL_TRIANGLES);
    for (const Model3dsFace& face : model.faces) {
        for (std::uint32_t index : face.indices) {
            const Vector3& p = model.vertices[index];
            glVertex3f(p.x, p.y, p.z);
        }
    }
    glEnd();
    glPopMatrix();
}

class ShadowPixels : public testing::Test {
protected:
    GlContext& gl = sharedContext();
    Model3ds caster;

    void SetUp() override {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-0.1, 0.1, -0.1, 0.1, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 0);
        glClearStencil(0);
        glDisable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);  // on for the whole run, as start-up leaves it
        glDisable(GL_LIGHTING);
        glDisable(GL_BLEND);
        glDisable(GL_STENCIL_TEST);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glDepthMask(GL_TRUE);
        glStencilMask(0xFF);
        glDepthFunc(GL_LESS);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }

    // The frame's three passes over the floor and the caster; drawVolume false leaves the stencil alone.
    void renderFrame(ShadowVolume& volume, const Matrix4& placement, bool drawVolume = true) {
        beginAmbientPass();
        drawFloor(kAmbientGrey);
        drawModel(caster, placement, kAmbientGrey);
        endPass();
        if (drawVolume) {
            glPushMatrix();
            glMultMatrixf(placement.data());
            volume.light = kLight;
            volume.renderVolume(placement);
            glPopMatrix();
        }
        beginLitPass();
        drawFloor(kLitGrey);
        drawModel(caster, placement, kLitGrey);
        endPass();
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Compares every floor pixel with the ray-cast oracle; a pixel may differ only on
    // the shadow's outline, where rasterisation rounds.
    void expectShadowOf(const Box& box) {
        const int size = gl.width;
        const std::vector<unsigned char> stencil = gl.readStencil();
        const std::vector<unsigned char> colour = gl.readPixels();
        std::vector<Expected> expected(size * size);
        int shadowed = 0, lit = 0, crossing = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const PixelOracle oracle = expectAt(box, x, y, size);
                expected[y * size + x] = oracle.expected;
                shadowed += oracle.expected == Expected::Shadowed;
                lit += oracle.expected == Expected::Lit;
                crossing += oracle.rayCrossesVolume && stencil[y * size + x] == 0;
            }
        }
        ASSERT_GT(shadowed, 100);
        ASSERT_GT(lit, 1000);
        EXPECT_GT(crossing, 10) << "view rays that pass through the volume and leave it again count 0";
        int wrong = 0;
        for (int y = 1; y + 1 < size; ++y) {
            for (int x = 1; x + 1 < size; ++x) {
                const Expected e = expected[y * size + x];
                if (e != Expected::Lit && e != Expected::Shadowed) continue;
                const bool onOutline = expected[y * size + x - 1] != e || expected[y * size + x + 1] != e ||
                                       expected[(y - 1) * size + x] != e || expected[(y + 1) * size + x] != e;
                if (onOutline) continue;
                const int count = stencil[y * size + x];
                const int grey = colour[(y * size + x) * 4];
                const bool right = e == Expected::Shadowed ? count == 1 && std::abs(grey - 51) <= 1
                                                           : count == 0 && std::abs(grey - 153) <= 1;
                if (!right && ++wrong <= 5) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " stencil " << count << " grey " << grey
                                  << (e == Expected::Shadowed ? " (expected shadow)" : " (expected lit)");
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }
};

TEST_F(ShadowPixels, CubeShadowsTheFloorBelowItAndLeavesTheRestLit) {
    fillCube(caster);
    ShadowVolume volume(&caster, "Cube");
    const Matrix4 placement = translation(Vector3(0, -1, -6));
    renderFrame(volume, placement);
    expectShadowOf({{-1, -2, -7}, {1, 0, -5}});
}

TEST_F(ShadowPixels, OpenSheetCastsTheSameShadowFromEitherSide) {
    for (bool facingUp : {true, false}) {
        SCOPED_TRACE(facingUp ? "facing the light" : "facing away");
        caster.vertices.clear();
        caster.faces.clear();
        caster.vertexCount = caster.faceCount = 0;
        fillSheet(caster, 1.0f, facingUp);
        ShadowVolume volume(&caster, "Sheet");
        Matrix4 placement = translation(Vector3(0, -1, -6));
        placement.multiply(xRotation(-90.0f * kDegreesToRadians));  // object +z is world +y
        SetUp();
        renderFrame(volume, placement);
        expectShadowOf({{-1, -1.001f, -7}, {1, -0.999f, -5}});
    }
}

TEST_F(ShadowPixels, WithoutVolumesTheLitPassCoversEverythingTheAmbientPassDrew) {
    fillCube(caster);
    ShadowVolume volume(&caster, "Cube");
    renderFrame(volume, translation(Vector3(0, -1, -6)), false);
    const std::vector<unsigned char> colour = gl.readPixels();
    int drawn = 0;
    for (std::size_t i = 0; i < colour.size(); i += 4) {
        if (colour[i] == 0) continue;
        ++drawn;
        EXPECT_NEAR(colour[i], 153, 1) << "pixel " << i / 4;
    }
    EXPECT_GT(drawn, gl.width * gl.height / 3);
}

}  // namespace
