#include <gtest/gtest.h>

#include "environment/CubeMap.h"
#include "environment/FaceImages.h"
#include "support/ExpectNear.h"
#include "support/GlContext.h"

namespace {

class SkyBox : public testing::Test {
protected:
    GlContext gl{64, 64};
    Environment environment;

    void SetUp() override {
        initialiseImageLibrary();
        environment.cubeMapDirectory = writeFaces("sky", "png");
        loadCubeMap(environment);
        glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60.0, 1.0, 1.0, 3000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 0);
    }

    // Draws the sky under the current view and returns the centre pixel.
    Rgb centreAfterDrawing() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        environment.drawSkyBox();
        const std::vector<unsigned char> p = gl.pixel(32, 32);
        return {p[0], p[1], p[2]};
    }
};

void expectColour(const Rgb& actual, const Rgb& expected) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], expected[c], 2) << "channel " << c;
}

}  // namespace

TEST_F(SkyBox, TurningTheCameraShowsAnotherFaceInWorldOrientation) {
    expectColour(centreAfterDrawing(), kFaceColours[5]);  // looking along -z
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);                   // now along +x
    expectColour(centreAfterDrawing(), kFaceColours[0]);
    glLoadIdentity();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);  // looking up, +y
    glEnable(GL_LIGHTING);                // the lit colour is replaced
    expectColour(centreAfterDrawing(), kFaceColours[2]);
    glDisable(GL_LIGHTING);
}

TEST_F(SkyBox, MovingTheCameraCarriesTheCubeAlong) {
    // Far outside a cube of edge 3000 left at the origin, which would lie behind it.
    glTranslatef(0.0f, 0.0f, 4000.0f);  // camera at (0, 0, -4000), looking along -z
    expectColour(centreAfterDrawing(), kFaceColours[5]);
    const std::vector<unsigned char> corner = gl.pixel(1, 1);
    EXPECT_GT(corner[0] + corner[1] + corner[2], 200) << "the whole window is covered";
}

TEST_F(SkyBox, LeavesTheStateAsItFoundIt) {
    glTranslatef(1.0f, 2.0f, 3.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_GEN_S);
    Matrix4 before, after;
    glGetFloatv(GL_MODELVIEW_MATRIX, before.data());
    const GLint depthBefore = glInteger(GL_MODELVIEW_STACK_DEPTH);

    environment.drawSkyBox();

    glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
    expectNear(after, before, 0.0f);
    EXPECT_EQ(glInteger(GL_MODELVIEW_STACK_DEPTH), depthBefore);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_R));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDisable(GL_TEXTURE_GEN_S);
}
