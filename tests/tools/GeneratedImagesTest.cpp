#include <GL/glew.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Image.h"
#include "support/GlContext.h"
#include "support/ImageLibrary.h"
#include "support/Scratch.h"

namespace {

const std::string kModels = "../resources/models/";
const std::string kSky = "../resources/textures/custom_space/";

const std::vector<std::string> kImages = {
    kModels + "planet/Tex2.tga",           kModels + "planet/Tex2_NRM.tga",
    kModels + "podium/podium_spec.tga",    kModels + "podium/podium_NRM.tga",
    kModels + "spaceFighter/spaceFighter.tga", kModels + "spaceFighter/spaceFighter_NRM.tga",
    kModels + "spaceFighter/spaceFighter_NRM1.tga",
    kModels + "asteroid/Tex0.tga",         kModels + "asteroid/Tex1.tga",
    kModels + "asteroid/Tex2.tga",         kModels + "asteroid/Tex0_NRM.tga",
    kModels + "asteroid/Tex1_NRM.tga",     kModels + "asteroid/Tex2_NRM.tga",
    kSky + "posx.png", kSky + "negx.png", kSky + "posy.png", kSky + "negy.png", kSky + "posz.png", kSky + "negz.png",
};

class GeneratedImages : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        context = new GlContext(16, 16);
        initialiseImageLibrary();
    }
    static void TearDownTestSuite() {
        delete context;
        context = nullptr;
    }
    static GlContext* context;

    // The first row of a GL texture as ilutGLLoadImage uploads the file.
    static std::vector<unsigned char> glRowZero(const std::string& path, int width) {
        const GLuint texture = ilutGLLoadImage(const_cast<char*>(path.c_str()));
        std::vector<unsigned char> pixels(static_cast<size_t>(width) * width * 3);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        glDeleteTextures(1, &texture);
        return {pixels.begin(), pixels.begin() + width * 3};
    }
};
GlContext* GeneratedImages::context = nullptr;

RgbImage twoRowImage() {
    RgbImage image(4, 4);
    for (int x = 0; x < 4; ++x) {
        image.set(x, 0, {1.0f, 0.0f, 0.0f});
        for (int y = 1; y < 4; ++y) image.set(x, y, {0.0f, 0.0f, 1.0f});
    }
    return image;
}

// What the program's loaders need: sizes the driver takes, and cube faces
// that are squares of one size.
TEST_F(GeneratedImages, EveryImageFitsTheDriverAndTheCubeFacesAreEqualSquares) {
    const GLint largest = glInteger(GL_MAX_CUBE_MAP_TEXTURE_SIZE);
    GLint faceSide = 0;
    for (const std::string& path : kImages) {
        SCOPED_TRACE(path);
        ILuint name = 0;
        ilGenImages(1, &name);
        ilBindImage(name);
        ASSERT_EQ(ilLoadImage(path.c_str()), IL_TRUE) << iluErrorString(ilGetError());
        const ILint width = ilGetInteger(IL_IMAGE_WIDTH), height = ilGetInteger(IL_IMAGE_HEIGHT);
        EXPECT_TRUE(width > 0 && height > 0 && width <= largest && height <= largest) << width << "x" << height;
        if (path.rfind(kSky, 0) == 0) {
            if (faceSide == 0) faceSide = width;
            EXPECT_TRUE(width == faceSide && height == faceSide) << width << "x" << height << ", first face " << faceSide;
        }
        ilDeleteImages(1, &name);
    }
}

TEST_F(GeneratedImages, TgaRowZeroReachesGlAsRowZero) {
    const std::string path = scratchPath("rows.tga");
    ASSERT_TRUE(saveTga(path, twoRowImage()));
    const std::vector<unsigned char> row = glRowZero(path, 4);
    EXPECT_EQ(row[0], 255);
    EXPECT_EQ(row[2], 0);
}

TEST_F(GeneratedImages, PngRowZeroIsTheFirstRowOfTheLoadedData) {
    const std::string path = scratchPath("rows.png");
    ASSERT_TRUE(savePng(path, twoRowImage()));
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    ASSERT_EQ(ilLoadImage(path.c_str()), IL_TRUE);
    ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    const unsigned char* data = ilGetData();
    EXPECT_EQ(data[0], 255);
    EXPECT_EQ(data[2], 0);
    EXPECT_EQ(data[3 * 4 * 3 + 2], 255);  // the last row stays blue
    ilDeleteImages(1, &name);
}

TEST(NormalMaps, SlopesTiltAgainstTheRiseWithGreenAlongV) {
    HeightMap risingU(8, 8), risingV(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            risingU.at(x, y) = static_cast<float>(x);
            risingV.at(x, y) = static_cast<float>(y);
        }
    const Color alongU = normalMapFromHeights(risingU, 1.0f, false).get(4, 4);
    const Color alongV = normalMapFromHeights(risingV, 1.0f, false).get(4, 4);
    EXPECT_LT(alongU.r, 0.4f);
    EXPECT_NEAR(alongU.g, 0.5f, 0.01f);
    EXPECT_LT(alongV.g, 0.4f);
    EXPECT_NEAR(alongV.r, 0.5f, 0.01f);
    EXPECT_GT(alongV.b, 0.8f);
}

TEST_F(GeneratedImages, NormalMapsAreMostlyUpright) {
    for (const std::string& path : kImages) {
        if (path.find("_NRM") == std::string::npos) continue;
        SCOPED_TRACE(path);
        ILuint name = 0;
        ilGenImages(1, &name);
        ilBindImage(name);
        ASSERT_EQ(ilLoadImage(path.c_str()), IL_TRUE);
        ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
        const unsigned char* data = ilGetData();
        const int count = ilGetInteger(IL_IMAGE_WIDTH) * ilGetInteger(IL_IMAGE_HEIGHT);
        double blue = 0.0, red = 0.0, green = 0.0;
        for (int i = 0; i < count; ++i) {
            red += data[3 * i];
            green += data[3 * i + 1];
            blue += data[3 * i + 2];
        }
        EXPECT_GT(blue / count, 200.0);              // z dominates
        EXPECT_NEAR(red / count, 127.5, 12.0);       // slopes balance out
        EXPECT_NEAR(green / count, 127.5, 12.0);
        ilDeleteImages(1, &name);
    }
}

}  // namespace
