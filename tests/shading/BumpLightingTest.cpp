#include <vector>

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/Scene.h"
#include "shading/LightingParameters.h"
#include "shading/ShaderProgram.h"
#include "support/RowTexture.h"
#include "support/GlContext.h"
#include "support/TangentQuad.h"

namespace {

class BumpLighting : public testing::Test {
protected:
    GlContext gl{32, 32};
    ShaderProgram pair{"../resources/shader/vp_bump.cg", "../resources/shader/fp_bump.cg"};
    GLuint decal = rowTexture({255, 255, 255});
    // Left texel tilted towards +v, right texel towards -v.
    GLuint tiltedNormals = rowTexture({128, 218, 218, 128, 37, 218});
    GLuint flatNormals = rowTexture({128, 128, 255});

    void SetUp() override {
        Light light;
        light.diffuse = {0.5f, 0.5f, 0.5f, 1};
        light.shininess = 32;
        appState.scene->lights = {light};
        appState.scene->cameraMode = CameraMode::Fixed;
        appState.scene->fixedEye = Vector3(0, 0, 5);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void TearDown() override {
        appState.scene->lights.clear();
        const GLuint textures[3] = {decal, tiltedNormals, flatNormals};
        glDeleteTextures(3, textures);
    }

    Light& light() { return appState.scene->lights.front(); }

    // Draws the quad with the bump pair in the renderer's calling order.
    void draw(GLuint normalMap, float handedness) {
        pair.bind();
        pair.setTextureParameter("decal", decal);
        pair.setTextureParameter("normalMap", normalMap);
        pair.enableTextureParameter("decal");
        pair.enableTextureParameter("normalMap");
        setLightingParameters(pair, Matrix4());
        drawTangentQuad(1, handedness);
        pair.disableTextureParameter("decal");
        pair.disableTextureParameter("normalMap");
        pair.unbind();
    }
};

TEST_F(BumpLighting, NormalMapAndTangentHandednessDecideWhichPixelsAreLit) {
    light().position = {0, 1, 1, 0};
    draw(tiltedNormals, 1.0f);
    EXPECT_NEAR(gl.pixel(8, 16)[0], 128, 6);
    EXPECT_LT(gl.pixel(24, 16)[0], 8);
    draw(tiltedNormals, -1.0f);  // a mirrored frame turns +v to -y
    EXPECT_LT(gl.pixel(8, 16)[0], 8);
    EXPECT_NEAR(gl.pixel(24, 16)[0], 128, 6);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BumpLighting, SpecularHighlightPeaksWhereTheEyeSeesTheLightMirrored) {
    light().position = {0, 0, 1, 0};
    light().diffuse = {0, 0, 0, 1};
    light().specular = {1, 1, 1, 1};
    draw(flatNormals, 1.0f);
    const int centre = gl.pixel(16, 16)[1];
    const int corner = gl.pixel(1, 1)[1];
    EXPECT_GT(centre, 240);
    EXPECT_LT(corner, centre - 20);
}

}  // namespace
