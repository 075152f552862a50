#include <vector>

#include <gtest/gtest.h>

#include "environment/CubeMap.h"
#include "environment/FaceImages.h"
#include "shading/ShaderProgram.h"
#include "support/GlContext.h"
#include "support/RowTexture.h"
#include "support/TangentQuad.h"

namespace {

class ReflectivePair : public testing::Test {
protected:
    GlContext gl{64, 64};
    Environment environment;
    GLuint decal = 0;
    Light light;
    const Vector3 eye{0, 0, 5};

    void SetUp() override {
        initialiseImageLibrary();
        environment.cubeMapDirectory = writeFaces("reflection", "png");
        environment.vertexShaderFile = ZEN_SOURCE_DIR "/resources/shader/vp_bumpReflection.cg";
        environment.fragmentShaderFile = ZEN_SOURCE_DIR "/resources/shader/fp_bumpReflection.cg";
        loadCubeMap(environment);
        environment.bumpReflection = true;
        environment.createShader();
        decal = rowTexture({255, 255, 255});
        environment.bumpReflectionShader->setTextureParameter("decal", decal);
        light.position = {0, 0, 1, 0};
        light.diffuse = {0.2f, 0.2f, 0.2f, 1};
        light.specular = {0, 0, 0, 1};
        light.shininess = 32.0f;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60.0, 1.0, 1.0, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(-eye.x, -eye.y, -eye.z);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void TearDown() override { glDeleteTextures(1, &decal); }

    // Draws the quad under the model matrix with the reflective pair and the given
    // normal map, in the frame renderer's calling order; returns the centre pixel.
    std::vector<unsigned char> drawReflective(const Matrix4& model, GLuint normalMap) {
        ShaderProgram& pair = *environment.bumpReflectionShader;
        pair.setTextureParameter("normalMap", normalMap);
        pair.bind();
        environment.enableTextures(true);
        glPushMatrix();
        glMultMatrixf(model.data());
        environment.setReflectionParameters(light, eye, model);
        drawTangentQuad(2, 1);
        glPopMatrix();
        environment.disableTextures(true);
        pair.unbind();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return gl.pixel(32, 32);
    }
};

Matrix4 yRotation45() {
    const float c = 0.70710678f;
    Matrix4 m;
    m.at(0, 0) = c;
    m.at(0, 2) = c;
    m.at(2, 0) = -c;
    m.at(2, 2) = c;
    return m;
}

}  // namespace

TEST_F(ReflectivePair, FacingQuadMirrorsTheSkyBehindTheViewer) {
    EXPECT_EQ(environment.reflectionShader, nullptr);  // only the selected pair exists
    const GLuint flat = rowTexture({128, 128, 255});
    const std::vector<unsigned char> p = drawReflective(Matrix4(), flat);
    // The eye ray bounces back to +z, whose face is cyan; the decal alone is grey.
    EXPECT_GT(p[1], p[0] + 60);
    EXPECT_GT(p[2], p[0] + 60);
    glDeleteTextures(1, &flat);
}

TEST_F(ReflectivePair, TurnedModelMirrorsTheSideFace) {
    const GLuint flat = rowTexture({128, 128, 255});
    const std::vector<unsigned char> p = drawReflective(yRotation45(), flat);
    // A normal turned 45 degrees towards +x sends the ray to the red +x face.
    EXPECT_GT(p[0], p[1] + 60);
    EXPECT_GT(p[0], p[2] + 60);
    glDeleteTextures(1, &flat);
}

TEST_F(ReflectivePair, NormalMapAloneTurnsTheReflection) {
    // Tangent-space normal (0.707, 0, 0.707) on an untouched quad.
    const GLuint tilted = rowTexture({218, 128, 218});
    const std::vector<unsigned char> p = drawReflective(Matrix4(), tilted);
    EXPECT_GT(p[0], p[1] + 60);
    EXPECT_GT(p[0], p[2] + 60);
    glDeleteTextures(1, &tilted);
}
