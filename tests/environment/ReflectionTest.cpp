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
    }

    void TearDown() override { glDeleteTextures(1, &decal); }

    // Draws the quad under the model matrix with the reflective pair and the given
    // normal map, in the frame renderer's calling order; returns the centre pixel.
    std::vector<unsigned char> drawReflective(const Matrix4& model, GLuint normalMap) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
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

const float kHalfRoot2 = 0.70710678f;

}  // namespace

struct Mirroring {
    const char* what;
    Matrix4 model;
    std::vector<unsigned char> normalTexel;
    std::size_t face;  // the face the centre should mirror
};

// The decal alone is grey; the eye ray bounces to the face the normal points it at.
TEST_F(ReflectivePair, CentreMirrorsTheFaceTheBumpedNormalTurnsTheEyeRayTo) {
    EXPECT_EQ(environment.reflectionShader, nullptr);  // only the selected pair exists
    const Mirroring cases[] = {
        {"facing quad: back to +z", Matrix4(), {128, 128, 255}, 4},
        {"model turned 45 degrees towards +x",
         fromAxes({kHalfRoot2, 0, -kHalfRoot2}, {0, 1, 0}, {kHalfRoot2, 0, kHalfRoot2}), {128, 128, 255}, 0},
        {"tangent-space normal (0.707, 0, 0.707)", Matrix4(), {218, 128, 218}, 0},
    };
    for (const Mirroring& c : cases) {
        SCOPED_TRACE(c.what);
        const GLuint normalMap = rowTexture(c.normalTexel);
        const std::vector<unsigned char> p = drawReflective(c.model, normalMap);
        const Rgb& face = kFaceColours[c.face];
        for (int strong = 0; strong < 3; ++strong) {
            for (int weak = 0; weak < 3; ++weak) {
                if (face[strong] <= face[weak]) continue;
                EXPECT_GT(p[strong], p[weak] + 60) << strong << " over " << weak;
            }
        }
        glDeleteTextures(1, &normalMap);
    }
}
