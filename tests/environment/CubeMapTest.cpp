#include <string>
#include <vector>

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

// The centre texel of level 0 of one face of the bound cube map, of any size.
Rgb centreTexelOfAnySize(GLenum target) {
    GLint side = 0;
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &side);
    std::vector<unsigned char> texels(static_cast<std::size_t>(side) * side * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    const std::size_t centre = (static_cast<std::size_t>(side / 2) * side + side / 2) * 3;
    return {texels[centre], texels[centre + 1], texels[centre + 2]};
}

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
    environment.cubeMapDirectory = writeFaces("jpegs", "jpg");
    environment.imageExtension = "jpg";
    load();
    EXPECT_EQ(output.out + output.err, "");
    for (std::size_t i = 0; i < 6; ++i)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(centreTexel(faceTarget(i))[c], kFaceColours[i][c], 4) << kFaceNames[i];
}

TEST_F(CubeMapLoad, FacesThatGluRoundsToSquaresAreBuiltSilently) {
    environment.cubeMapDirectory = writeFaces("rounded", "png");
    const int sides[][2] = {{600, 700}, {1000, 1100}, {1023, 1000}, {16, 12}};
    for (std::size_t i = 0; i < 4; ++i)
        writeSolidImage(environment.cubeMapDirectory + kFaceNames[i] + ".png", sides[i][0], kFaceColours[i], sides[i][1]);
    load();
    EXPECT_EQ(output.out + output.err, "");
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(environment.cubeMapTexture));
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 512);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(centreTexelOfAnySize(faceTarget(i)), kFaceColours[i]) << kFaceNames[i];
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
