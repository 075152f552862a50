#include <string>

#include <gtest/gtest.h>

#include "environment/CubeMap.h"
#include "environment/FaceImages.h"
#include "support/CapturedOutput.h"
#include "support/GlContext.h"

#include <GL/glu.h>

namespace {

class CubeMapLoad : public testing::Test {
protected:
    GlContext gl;
    Environment environment;
    CapturedOutput output;

    void SetUp() override { initialiseImageLibrary(); }
    void load() { output = captured([this] { loadCubeMap(environment); }); }
};

}  // namespace

TEST_F(CubeMapLoad, SixFacesBecomeOneBoundMipmappedCubeMapSilently) {
    environment.cubeMapDirectory = writeFaces("complete", "png");
    load();
    EXPECT_EQ(output.out + output.err, "");
    GLint format = 0, smallest = 0;
    EXPECT_EQ(static_cast<GLuint>(glInteger(GL_TEXTURE_BINDING_CUBE_MAP)), environment.cubeMapTexture);
    EXPECT_NE(environment.cubeMapTexture, 0u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(centreTexel(faceTarget(i)), kFaceColours[i]) << kFaceNames[i];
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 3, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(format, GL_RGB8);
    EXPECT_EQ(smallest, 1);
}

TEST_F(CubeMapLoad, AnotherExtensionIsAppendedWithoutAddedDot) {
    environment.cubeMapDirectory = writeFaces("targas", "tga");
    environment.imageExtension = "tga";
    load();
    EXPECT_EQ(output.err, "");
    EXPECT_EQ(centreTexel(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z), kFaceColours[5]);
}

TEST_F(CubeMapLoad, EmptyDirectoryOrExtensionCreatesNothing) {
    const std::string message = "[ERROR] Couldn't create CubeMap: Directory or File Format not defined!\n";
    environment.cubeMapDirectory = "";
    load();
    EXPECT_EQ(output.out, message);
    environment.cubeMapDirectory = "somewhere/";
    environment.imageExtension = "";
    load();
    EXPECT_EQ(output.out, message);
    EXPECT_EQ(output.err, "");
    EXPECT_EQ(environment.cubeMapTexture, 0u);
}

TEST_F(CubeMapLoad, PendingGlErrorIsReportedBeforeAnyCubeMapCall) {
    environment.cubeMapDirectory = writeFaces("pending", "png");
    glEnable(0x7FFF);  // leaves GL_INVALID_ENUM behind
    load();
    EXPECT_EQ(output.err, std::string("[ERROR] Could not generate cube map texture: ") +
                       reinterpret_cast<const char*>(gluErrorString(GL_INVALID_ENUM)) + "\n");
    EXPECT_EQ(centreTexel(GL_TEXTURE_CUBE_MAP_POSITIVE_X), kFaceColours[0]);
}
