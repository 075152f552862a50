#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "environment/CubeMap.h"
#include "environment/FaceImages.h"
#include "support/GlContext.h"

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

class CubeMapLoad : public testing::Test {
protected:
    GlContext gl;
    Environment environment;

    void SetUp() override { initialiseImageLibrary(); }

    // Loads with both streams captured.
    void load() {
        CaptureStdout();
        CaptureStderr();
        loadCubeMap(environment);
        out = GetCapturedStdout();
        err = GetCapturedStderr();
    }

    std::string out;
    std::string err;
};

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(CubeMapLoad, SixFacesBecomeOneBoundCubeMapSilently) {
    environment.cubeMapDirectory = writeFaces("complete", "png");
    load();
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    ASSERT_NE(environment.cubeMapTexture, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), environment.cubeMapTexture);
    for (std::size_t i = 0; i < kFaceTargets.size(); ++i) EXPECT_EQ(faceTexel(kFaceTargets[i]), kFaceColours[i]) << i;
    GLint format = 0, smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 3, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(format, GL_RGB8);
    EXPECT_EQ(smallest, 1);  // the full mipmap chain of an 8x8 face
}

TEST_F(CubeMapLoad, AnotherExtensionIsAppendedWithoutAddedDot) {
    environment.cubeMapDirectory = writeFaces("bitmaps", "bmp");
    environment.imageExtension = "bmp";
    load();
    EXPECT_EQ(err, "");
    EXPECT_EQ(faceTexel(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z), kFaceColours[5]);
}

TEST_F(CubeMapLoad, EmptyDirectoryOrExtensionCreatesNothing) {
    environment.cubeMapDirectory = "";
    load();
    EXPECT_EQ(out, "[ERROR] Couldn't create CubeMap: Directory or File Format not defined!\n");
    EXPECT_EQ(err, "");
    EXPECT_EQ(environment.cubeMapTexture, 0u);

    environment.cubeMapDirectory = "somewhere/";
    environment.imageExtension = "";
    load();
    EXPECT_EQ(out, "[ERROR] Couldn't create CubeMap: Directory or File Format not defined!\n");
    EXPECT_EQ(environment.cubeMapTexture, 0u);
}

TEST_F(CubeMapLoad, MissingFaceIsReportedOnceAndTheRestStillLoad) {
    const std::string directory = writeFaces("missing", "png");
    std::remove((directory + "posy.png").c_str());
    environment.cubeMapDirectory = directory;
    load();
    EXPECT_EQ(out, "");
    EXPECT_EQ(count(err, "[ERROR] Could not load cube map image: "), 1);
    EXPECT_EQ(err.rfind("[ERROR] Could not load cube map image: ", 0), 0u) << err;
    EXPECT_EQ(err.back(), '\n');
    for (std::size_t i = 0; i < kFaceTargets.size(); ++i) {
        if (i == 2) continue;
        EXPECT_EQ(faceTexel(kFaceTargets[i]), kFaceColours[i]) << i;
    }
}

TEST_F(CubeMapLoad, BrokenFaceFileIsReportedAndDoesNotStopTheLoop) {
    const std::string directory = writeFaces("broken", "png");
    std::ofstream(directory + "negx.png", std::ios::trunc) << "not a picture at all";
    environment.cubeMapDirectory = directory;
    load();
    EXPECT_EQ(count(err, "[ERROR] Could not load cube map image: "), 1) << err;
    EXPECT_EQ(faceTexel(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z), kFaceColours[5]);
}

TEST_F(CubeMapLoad, PendingGlErrorIsReportedBeforeAnyCubeMapCall) {
    environment.cubeMapDirectory = writeFaces("pending", "png");
    glEnable(0x7FFF);  // leaves GL_INVALID_ENUM behind
    load();
    const std::string expected = std::string("[ERROR] Could not generate cube map texture: ") +
                                 reinterpret_cast<const char*>(gluErrorString(GL_INVALID_ENUM)) + "\n";
    EXPECT_EQ(err, expected);
    EXPECT_NE(environment.cubeMapTexture, 0u);
    EXPECT_EQ(faceTexel(GL_TEXTURE_CUBE_MAP_POSITIVE_X), kFaceColours[0]);
}
