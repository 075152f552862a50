// The image check against hand-made TGA and PNG files: what it refuses, and
// that what it lets through DevIL decodes to the right pixels.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "shading/ImageFileCheck.h"
#include "shading/TextureFile.h"
#include "support/DamagedFiles.h"
#include "support/GlContext.h"
#include "support/ImageLibrary.h"
#include "support/Scratch.h"

#include <IL/il.h>
#include <IL/ilu.h>

namespace {

using Bytes = std::string;

Bytes littleEndian16(unsigned v) { return {char(v & 0xFF), char(v >> 8)}; }

// ---- TGA ----

// Built as Tga{type, bits, width, height, ...}: a 2x2 true-colour file of 24 bits unless given.
struct Tga {
    unsigned type = 2, bits = 24, width = 2, height = 2;
    unsigned mapType = 0, mapLength = 0, mapBits = 0, descriptor = 0;

    Bytes header() const {
        return Bytes{0, char(mapType), char(type), 0, 0} + littleEndian16(mapLength) + char(mapBits) +
               Bytes(4, 0) + littleEndian16(width) + littleEndian16(height) + char(bits) + char(descriptor);
    }
};

Bytes repeat(const Bytes& unit, std::size_t times) {
    Bytes out;
    for (std::size_t i = 0; i < times; ++i) out += unit;
    return out;
}

// A 2x2 file of one colour given as the file's own pixel bytes.
Bytes tgaFile(const Tga& t, const Bytes& pixel, const Bytes& map = "") {
    return t.header() + map + repeat(pixel, std::size_t(t.width) * t.height);
}

Bytes tgaRunLength(const Tga& t, const Bytes& packets) { return t.header() + packets; }

// 256 palette entries, entry i = (r, g, b) = (i, 255 - i, 7), stored BGR.
Bytes tgaPalette() {
    Bytes map;
    for (int i = 0; i < 256; ++i) map += Bytes{7, char(255 - i), char(i)};
    return map;
}

// ---- PNG ----

Bytes chunk(const Bytes& type, const Bytes& data) { return pngChunk(type, data); }

Bytes zlibStream(const Bytes& raw) {
    uLongf size = compressBound(raw.size());
    Bytes packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(&packed[0]), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
    return packed.substr(0, size);
}

// Built as Png{colour, depth, side, interlace, compression, filter}: a 2x2 RGB file of 8 bits unless given.
struct Png {
    unsigned colour = 2, depth = 8;
    std::uint32_t side = 2;
    unsigned interlace = 0, compression = 0, filter = 0;

    unsigned channels() const { return colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1; }
    Bytes ihdr() const {
        return chunk("IHDR", bigEndian32(side) + bigEndian32(side) +
                                 Bytes{char(depth), char(colour), char(compression), char(filter), char(interlace)});
    }
};

const Bytes kSignature = "\x89PNG\r\n\x1a\n";

// Filtered rows of a 2x2 image of one pixel value: every sample holds `sample`.
Bytes pngRows(const Png& p, unsigned sample) {
    const std::vector<unsigned> widths = p.interlace ? std::vector<unsigned>{1, 1, 2} : std::vector<unsigned>{2, 2};
    Bytes raw;
    for (unsigned width : widths) {
        const unsigned bits = width * p.channels() * p.depth;
        std::vector<unsigned char> row((bits + 7) / 8, 0);
        for (unsigned s = 0; s < width * p.channels(); ++s)
            for (unsigned b = 0; b < p.depth; ++b)
                if (sample >> (p.depth - 1 - b) & 1) row[(s * p.depth + b) / 8] |= 0x80 >> ((s * p.depth + b) % 8);
        raw += '\0' + Bytes(row.begin(), row.end());
    }
    return raw;
}

// Palette entry i = (i, 255 - i, 7), as many entries as the depth allows.
Bytes pngPalette(unsigned depth) {
    Bytes data;
    for (unsigned i = 0; i < (1u << depth); ++i) data += Bytes{char(i), char(255 - i), 7};
    return chunk("PLTE", data);
}

Bytes pngFile(const Png& p, unsigned sample, const Bytes& extra = "") {
    return kSignature + p.ihdr() + extra + chunk("IDAT", zlibStream(pngRows(p, sample))) + chunk("IEND", "");
}

const int kMax = 16384;
const ILenum kOk = IL_NO_ERROR;

struct Refusal {
    const char* what;
    const char* name;
    Bytes bytes;
    ILenum expected;
};

Bytes withByte(Bytes bytes, std::size_t at, char value) {
    bytes[at] = value;
    return bytes;
}

Bytes flipByte(Bytes bytes, std::size_t at) {
    bytes[at] = char(bytes[at] ^ 0x55);
    return bytes;
}

Tga mapped(unsigned mapLength, unsigned bits = 8) { return Tga{1, bits, 2, 2, 1, mapLength, 24}; }

}  // namespace

TEST(ImageFileCheck, RefusesWhatDevilCannotSafelyDecodeWithItsErrorCode) {
    const Bytes pixel = "\x32\x64\xc8";
    const Bytes goodTga = tgaFile(Tga(), pixel);
    const Bytes goodPng = pngFile(Png(), 200);
    const Bytes palette = pngPalette(8);
    const Bytes idat = chunk("IDAT", zlibStream(pngRows(Png{3, 8}, 1)));
    const std::size_t idatLength = kSignature.size() + Png().ihdr().size();
    const std::vector<Refusal> cases = {
        {"good TGA", "a.tga", goodTga, kOk},
        {"good PNG", "a.png", goodPng, kOk},
        {"another extension", "a.bmp", goodTga, IL_INVALID_EXTENSION},
        {"upper-case extension", "a.PNG", goodPng, IL_INVALID_EXTENSION},
        {"empty TGA", "a.tga", "", IL_INVALID_FILE_HEADER},
        {"TGA without image data type", "a.tga", tgaFile(Tga{0, 24}, pixel), IL_INVALID_FILE_HEADER},
        {"TGA of unknown type", "a.tga", tgaFile(Tga{32, 24}, pixel), IL_INVALID_FILE_HEADER},
        {"TGA of 12-bit pixels", "a.tga", tgaFile(Tga{2, 12}, "ab"), IL_INVALID_FILE_HEADER},
        {"grey TGA of 16 bits", "a.tga", tgaFile(Tga{3, 16}, "ab"), IL_INVALID_FILE_HEADER},
        {"TGA palette of 16 entries", "a.tga", tgaFile(mapped(16), "\x0f", tgaPalette().substr(0, 48)),
         IL_INVALID_FILE_HEADER},
        {"TGA of 16-bit indices", "a.tga", tgaFile(mapped(256, 16), "\x01\x00", tgaPalette()), IL_INVALID_FILE_HEADER},
        {"TGA colour map on true colour", "a.tga", withByte(goodTga, 1, 1), IL_INVALID_FILE_HEADER},
        {"interleaved TGA", "a.tga", withByte(goodTga, 17, char(0x40)), IL_INVALID_FILE_HEADER},
        {"TGA of zero width", "a.tga", Tga{2, 24, 0, 2}.header(), IL_INVALID_FILE_HEADER},
        {"TGA wider than the maximum", "a.tga", tgaFile(Tga{2, 24, kMax + 1, 1}, pixel), IL_OUT_OF_MEMORY},
        {"20-byte TGA claiming 40000 x 40000", "a.tga", Tga{2, 24, 40000, 40000}.header() + "ab", IL_OUT_OF_MEMORY},
        {"TGA over the decoded byte cap", "a.tga", Tga{2, 24, 8192, 2049}.header(), IL_OUT_OF_MEMORY},
        {"TGA data one byte short", "a.tga", goodTga.substr(0, goodTga.size() - 1), IL_FILE_READ_ERROR},
        {"RLE TGA, one packet for all", "a.tga", tgaRunLength(Tga{10, 24}, "\x83" + pixel), kOk},
        {"RLE TGA, raw then repeat", "a.tga", tgaRunLength(Tga{10, 24}, "\x01" + pixel + pixel + "\x81" + pixel), kOk},
        {"RLE TGA cut in a packet", "a.tga", tgaRunLength(Tga{10, 24}, "\x03" + pixel + pixel), IL_FILE_READ_ERROR},
        {"RLE TGA missing packets", "a.tga", tgaRunLength(Tga{10, 24}, "\x81" + pixel), IL_FILE_READ_ERROR},
        {"RLE packet past the last pixel", "a.tga", tgaRunLength(Tga{10, 24}, "\x84" + pixel), IL_ILLEGAL_FILE_VALUE},
        {"PNG signature damaged", "a.png", withByte(goodPng, 1, 'p'), IL_INVALID_FILE_HEADER},
        {"PNG header CRC wrong", "a.png", flipByte(goodPng, 20), IL_INVALID_FILE_HEADER},
        {"PNG palette of 16-bit samples", "a.png", pngFile(Png{3, 16}, 1, palette), IL_INVALID_FILE_HEADER},
        {"PNG grey of 3 bits", "a.png", pngFile(Png{0, 3}, 1), IL_INVALID_FILE_HEADER},
        {"PNG interlace 2", "a.png", pngFile(Png{2, 8, 2, 2}, 1), IL_INVALID_FILE_HEADER},
        {"PNG compression 1", "a.png", pngFile(Png{2, 8, 2, 0, 1}, 1), IL_INVALID_FILE_HEADER},
        {"PNG filter 1", "a.png", pngFile(Png{2, 8, 2, 0, 0, 1}, 1), IL_INVALID_FILE_HEADER},
        {"PNG of zero height", "a.png", pngFile(Png{2, 8, 0}, 1), IL_INVALID_FILE_HEADER},
        {"PNG of 60000 x 60000", "a.png", pngFile(Png{2, 8, 60000}, 1), IL_OUT_OF_MEMORY},
        {"PNG cut short", "a.png", goodPng.substr(0, goodPng.size() / 2), IL_FILE_READ_ERROR},
        {"PNG chunk length past the end", "a.png", withByte(goodPng, idatLength, 0x10), IL_FILE_READ_ERROR},
        {"PNG without IEND", "a.png", goodPng.substr(0, goodPng.size() - 12), IL_FILE_READ_ERROR},
        {"PNG data CRC wrong", "a.png", flipByte(goodPng, goodPng.size() - 13), IL_ILLEGAL_FILE_VALUE},
        {"PNG without image data", "a.png", kSignature + Png().ihdr() + chunk("IEND", ""), IL_ILLEGAL_FILE_VALUE},
        {"PNG image data split by a chunk", "a.png",
         kSignature + Png().ihdr() + idat + chunk("tEXt", "a\0b") + idat + chunk("IEND", ""), IL_ILLEGAL_FILE_VALUE},
        {"PNG unknown critical chunk", "a.png", pngFile(Png(), 1, chunk("ABCD", "")), IL_ILLEGAL_FILE_VALUE},
        {"PNG palette image without palette", "a.png", pngFile(Png{3, 8}, 1), IL_ILLEGAL_FILE_VALUE},
        {"PNG palette of 16 entries at 8 bits", "a.png", pngFile(Png{3, 8}, 1, pngPalette(4)), IL_ILLEGAL_FILE_VALUE},
        {"PNG palette on grey", "a.png", pngFile(Png{0, 8}, 1, pngPalette(1)), IL_ILLEGAL_FILE_VALUE},
        {"PNG transparency past the palette", "a.png", pngFile(Png{3, 1}, 1, pngPalette(1) + chunk("tRNS", "abc")),
         IL_ILLEGAL_FILE_VALUE},
        {"PNG transparency on RGBA", "a.png", pngFile(Png{6, 8}, 1, chunk("tRNS", "ab")), IL_ILLEGAL_FILE_VALUE},
    };
    for (const Refusal& c : cases) EXPECT_EQ(checkImageBytes(c.name, c.bytes, kMax), c.expected) << c.what;
}

namespace {

struct Accepted {
    const char* what;
    const char* name;
    Bytes bytes;
    unsigned red, green, blue;
};

}  // namespace

TEST(ImageFileCheck, EveryKindItAcceptsDecodesInDevilToItsColour) {
    GlContext gl{16, 16};
    initialiseImageLibrary();
    Tga rleMapped = mapped(256);
    rleMapped.type = 9;
    const std::vector<Accepted> cases = {
        {"TGA 24 bits", "24.tga", tgaFile(Tga(), "\x32\x64\xc8"), 200, 100, 50},
        {"TGA 32 bits, top-left origin", "32.tga",
         tgaFile(Tga{2, 32, 2, 2, 0, 0, 0, 0x28}, "\x32\x64\xc8\xff"), 200, 100, 50},
        {"TGA 16 bits", "16.tga", tgaFile(Tga{2, 16}, littleEndian16(0x7C00)), 248, 0, 0},
        {"TGA 8-bit grey", "grey.tga", tgaFile(Tga{3, 8}, "\x80"), 128, 128, 128},
        {"TGA colour-mapped", "mapped.tga", tgaFile(mapped(256), "\x05", tgaPalette()), 5, 250, 7},
        {"TGA RLE grey", "rle-grey.tga", tgaRunLength(Tga{11, 8}, "\x83\x40"), 64, 64, 64},
        {"TGA RLE colour-mapped", "rle-mapped.tga", tgaRunLength(rleMapped, tgaPalette() + "\x83\x09"), 9, 246, 7},
        {"PNG RGB 8", "rgb8.png", pngFile(Png(), 200), 200, 200, 200},
        {"PNG RGB 16", "rgb16.png", pngFile(Png{2, 16}, 0xC8C8), 200, 200, 200},
        {"PNG RGBA 8", "rgba8.png", pngFile(Png{6, 8}, 100), 100, 100, 100},
        {"PNG RGBA 16", "rgba16.png", pngFile(Png{6, 16}, 0x6464), 100, 100, 100},
        {"PNG grey 1", "g1.png", pngFile(Png{0, 1}, 1), 255, 255, 255},
        {"PNG grey 4", "g4.png", pngFile(Png{0, 4}, 5), 85, 85, 85},
        {"PNG grey 8 with transparency", "g8.png", pngFile(Png{0, 8}, 60, chunk("tRNS", Bytes(2, 0))), 60, 60, 60},
        {"PNG grey 16", "g16.png", pngFile(Png{0, 16}, 0x2828), 40, 40, 40},
        {"PNG grey and alpha 8", "ga8.png", pngFile(Png{4, 8}, 30), 30, 30, 30},
        {"PNG palette 1", "p1.png", pngFile(Png{3, 1}, 1, pngPalette(1)), 1, 254, 7},
        {"PNG palette 2 with transparency", "p2.png", pngFile(Png{3, 2}, 3, pngPalette(2) + chunk("tRNS", "\x10")), 3,
         252, 7},
        {"PNG palette 8", "p8.png", pngFile(Png{3, 8}, 77, pngPalette(8)), 77, 178, 7},
        {"PNG interlaced", "adam7.png", pngFile(Png{2, 8, 2, 1}, 90), 90, 90, 90},
    };
    for (const Accepted& c : cases) {
        const std::string path = writeScratchFile(c.name, c.bytes);
        ASSERT_EQ(checkImageFile(path, kMax), kOk) << c.what;
        ASSERT_TRUE(loadImageFile(path)) << c.what << ": " << iluErrorString(ilGetError());
        ASSERT_TRUE(ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE)) << c.what;
        EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 2) << c.what;
        const ILubyte* p = ilGetData();
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(p[3 * i], c.red, 1) << c.what << ", pixel " << i;
            EXPECT_NEAR(p[3 * i + 1], c.green, 1) << c.what << ", pixel " << i;
            EXPECT_NEAR(p[3 * i + 2], c.blue, 1) << c.what << ", pixel " << i;
        }
        EXPECT_EQ(ilGetError(), kOk) << c.what;
    }
}
