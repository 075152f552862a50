// Valid images of every kind TGA and PNG define, and a few JPEGs, made by
// independent encoders (acceptance/make-images.py): 16 x 16 pictures of four
// quadrants, loaded as a texture and as a cube face is, each with its colours.
// The kinds DevIL cannot decode are reported with DevIL's own error, or, where
// what DevIL would do with them is a hazard, refused by the check.
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/image/ImageFileCheck.h"
#include "shading/TextureFile.h"
#include "support/CapturedOutput.h"
#include "support/GlContext.h"
#include "support/ImageLibrary.h"

#include <IL/il.h>
#include <IL/ilu.h>

namespace {

// Top left, top right, bottom left, bottom right.
using Quadrants = std::array<Rgb, 4>;

const Rgb kRed{200, 40, 40}, kGreen{40, 200, 40}, kBlue{40, 40, 200}, kYellow{230, 230, 60};
const Quadrants kColours{kRed, kGreen, kBlue, kYellow};
const Quadrants kGreys{{{20, 20, 20}, {90, 90, 90}, {160, 160, 160}, {240, 240, 240}}};
const Quadrants kBilevel{{{0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {0, 0, 0}}};
const Quadrants kTwoColours{kRed, kRed, kBlue, kBlue};
const Quadrants kThreeColours{kRed, kGreen, kBlue, kRed};

struct Kind {
    const char* file;
    Quadrants colours;
    int tolerance = 2;
    const char* error = nullptr;  // DevIL's text for a file it cannot decode
    bool refused = false;         // the check refuses it with `error`
    bool misread = false;         // DevIL loads it with other colours
};

const std::vector<Kind> kKinds = {
    {"grey1.png", kBilevel},
    {"grey2.png", {{{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}}}},
    {"grey4.png", {{{17, 17, 17}, {85, 85, 85}, {170, 170, 170}, {238, 238, 238}}}},
    {"grey8.png", kGreys},
    {"grey16.png", kGreys},
    {"grey-trns.png", kGreys},
    {"grey-alpha8.png", kGreys},
    {"grey-alpha16.png", kGreys},
    {"rgb8.png", kColours},
    {"rgb16.png", kColours},
    {"rgb-trns.png", kColours},
    {"rgba8.png", kColours},
    {"rgba16.png", kColours},
    {"palette1.png", kTwoColours},
    {"palette2.png", kColours},
    {"palette4.png", kColours},
    {"palette8.png", kColours},
    {"palette-trns.png", kColours},
    {"palette-adam7.png", kColours},
    {"palette3-sub.png", kThreeColours},
    {"palette3-up.png", kThreeColours},
    {"palette3-avg.png", kThreeColours},
    {"palette3-paeth.png", kThreeColours},
    {"palette3-adam7-paeth.png", kThreeColours},
    {"adam7.png", kColours},
    {"ancillary-netpbm.png", kColours},
    {"ancillary-pil.png", kColours},
    {"srgb-splt.png", kColours},
    {"text-crc.png", kColours},
    {"rgb15.tga", kColours, 8},
    {"rgb16.tga", kColours, 8},
    {"rgb24.tga", kColours},
    {"rgb24-rle-top-left.tga", kColours},
    {"rgb32.tga", kColours},
    {"rgb32-rle.tga", kColours},
    {"grey8.tga", kGreys},
    {"grey8-rle.tga", kGreys},
    // DevIL unpacks 16-bit map entries wrongly (16-bit true colour it reads right).
    {"palette4-map16.tga", kColours, 8, nullptr, false, true},
    {"palette4-map24.tga", kColours},
    {"palette4-map32.tga", kColours},
    {"palette4-netpbm.tga", kColours},
    {"palette4-netpbm-rle.tga", kColours},
    {"palette-pil-rle.tga", kColours},
    {"palette256-pil.tga", kTwoColours},
    {"rgb24-bottom-right.tga", {}, 0, "invalid file header"},
    {"rgb24-top-right.tga", {}, 0, "invalid file header"},
    // DevIL rejects 15-bit map entries yet leaves the unconverted indices loaded.
    {"palette4-map15.tga", {}, 0, "invalid file header", true},
    // DevIL ignores the first-entry offset: the indices 4 and 5 would read past the map.
    {"palette4-offset.tga", {}, 0, "illegal file value", true},
    {"baseline.jpg", kColours, 12},
    {"progressive.jpeg", kColours, 12},
    {"upper-case.JPG", kColours, 12},
    {"grey.jpg", kGreys, 12},
    {"pil.jpg", kColours, 12},
};

std::string imagePath(const Kind& kind) {
    return std::string(ZEN_SOURCE_DIR "/tests/platform/image/acceptance/") + kind.file;
}

// The quadrant centres of a 16 x 16 image of `channels` bytes per pixel whose
// first row is its top row when `topFirst`; grey ones by their first channel alone.
void expectQuadrants(const unsigned char* pixels, int channels, bool topFirst, bool grey, const Kind& kind,
                     const char* loader) {
    const char* const names[] = {"top left", "top right", "bottom left", "bottom right"};
    for (int q = 0; q < 4; ++q) {
        const int row = (q >= 2) == topFirst ? 12 : 4;
        const unsigned char* rgb = pixels + (row * 16 + (q % 2 ? 12 : 4)) * channels;
        for (int c = 0; c < (grey ? 1 : 3); ++c)
            EXPECT_NEAR(rgb[c], kind.colours[q][c], kind.tolerance) << loader << ", " << names[q] << ", channel " << c;
    }
}

// As a texture: ILUT uploads the bottom row first, grey images as luminance,
// which reads back in red alone.
void expectTexture(const Kind& kind) {
    const GLuint texture = loadTextureFile(imagePath(kind));
    ASSERT_NE(texture, 0u) << iluErrorString(ilGetError());
    std::vector<unsigned char> texels(16 * 16 * 4);
    GLint greenBits = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_GREEN_SIZE, &greenBits);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    if (!kind.misread) expectQuadrants(texels.data(), 4, false, greenBits == 0, kind, "texture");
    glDeleteTextures(1, &texture);
}

// As a cube face: loaded and converted to 8-bit RGB.
void expectFaceImage(const Kind& kind) {
    ASSERT_TRUE(loadImageFile(imagePath(kind))) << iluErrorString(ilGetError());
    ASSERT_TRUE(ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE));
    ASSERT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 16);
    ASSERT_EQ(ilGetInteger(IL_IMAGE_HEIGHT), 16);
    if (!kind.misread) expectQuadrants(ilGetData(), 3, ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT, false, kind, "face");
}

// Both loads fail and report `kind.error` on the load's line.
void expectReported(const Kind& kind) {
    EXPECT_EQ(checkImageFile(imagePath(kind)) != IL_NO_ERROR, kind.refused);
    EXPECT_EQ(loadTextureFile(imagePath(kind)), 0u);
    EXPECT_EQ(captured([] { reportImageError("texture: "); }).err, std::string("texture: ") + kind.error + "\n");
    EXPECT_FALSE(loadImageFile(imagePath(kind)));
    EXPECT_EQ(captured([] { reportImageError("face: "); }).err, std::string("face: ") + kind.error + "\n");
}

}  // namespace

TEST(ImageAcceptance, EveryValidKindLoadsWithItsColoursOrIsReported) {
    GlContext gl{16, 16};
    initialiseImageLibrary();
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.file);
        if (kind.error) {
            expectReported(kind);
            continue;
        }
        EXPECT_EQ(checkImageFile(imagePath(kind)), static_cast<ILenum>(IL_NO_ERROR));
        expectTexture(kind);
        expectFaceImage(kind);
        EXPECT_EQ(ilGetError(), static_cast<ILenum>(IL_NO_ERROR));
    }
}
