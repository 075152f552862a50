// The image check against hand-made TGA, PNG and JPEG files: each refusal rule,
// and next to it the nearest file it lets through.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "platform/image/ImageFileCheck.h"
#include "support/DamagedFiles.h"

#include <IL/il.h>

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

Bytes pngFile(const Png& p, unsigned sample, const Bytes& extra = "") {
    return kSignature + p.ihdr() + extra + chunk("IDAT", zlibStream(pngRows(p, sample))) + chunk("IEND", "");
}

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

Tga mapped(unsigned mapLength, unsigned bits = 8, unsigned mapBits = 24) {
    return Tga{1, bits, 2, 2, 1, mapLength, mapBits};
}

// A palette PNG of 2x2 pixels of index `index` at `depth` bits, with a palette of `entries`.
Bytes palettePng(unsigned depth, unsigned entries, unsigned index, unsigned interlace = 0) {
    const Png p{3, depth, 2, interlace};
    Bytes data;
    for (unsigned i = 0; i < entries; ++i) data += Bytes{char(i), char(255 - i), 7};
    return pngFile(p, index, chunk("PLTE", data));
}

// A JPEG header up to its frame: APP0 and fill bytes, then SOF0 of the given size.
Bytes jpegFrame(unsigned width, unsigned height) {
    const Bytes app0 = Bytes("\xFF\xE0\x00\x06JF", 6) + Bytes(2, '\0');
    const Bytes sof0 = Bytes("\xFF\xFF\xFF\xC0\x00\x11\x08", 7) + Bytes{char(height >> 8), char(height & 0xFF)} +
                       Bytes{char(width >> 8), char(width & 0xFF)} + "\x03" + Bytes(9, '\x11');
    return Bytes("\xFF\xD8", 2) + app0 + sof0;
}

}  // namespace

TEST(ImageFileCheck, RefusesOnlyWhatWouldHarmTheImageLibraryWithItsErrorCode) {
    const Bytes pixel = "\x32\x64\xc8";
    const Bytes goodTga = tgaFile(Tga(), pixel);
    const Bytes goodPng = pngFile(Png(), 200);
    const std::size_t idatLength = kSignature.size() + Png().ihdr().size();
    Tga rleMapped = mapped(4);
    rleMapped.type = 9;
    const Bytes palette4 = tgaPalette().substr(0, 12);
    const std::vector<Refusal> cases = {
        {"another extension", "a.bmp", goodTga, IL_INVALID_EXTENSION},
        {"upper-case extension", "a.PNG", goodPng, kOk},
        {"DevIL's other TGA extension", "a.Vda", goodTga, kOk},
        {"JPEG extension", "a.JPEG", jpegFrame(2, 2), kOk},
        // TGA: cut short
        {"empty TGA", "a.tga", "", IL_INVALID_FILE_HEADER},
        {"TGA data one byte short", "a.tga", goodTga.substr(0, goodTga.size() - 1), IL_FILE_READ_ERROR},
        {"TGA colour map past the end", "a.tga", mapped(256).header() + palette4, IL_FILE_READ_ERROR},
        {"RLE TGA cut in a packet", "a.tga", tgaRunLength(Tga{10, 24}, "\x03" + pixel + pixel), IL_FILE_READ_ERROR},
        {"RLE TGA missing packets", "a.tga", tgaRunLength(Tga{10, 24}, "\x81" + pixel), IL_FILE_READ_ERROR},
        // TGA: indices DevIL cannot convert
        {"TGA colour-mapped without a map", "a.tga", tgaFile(Tga{1, 8}, "\x00"), IL_INVALID_FILE_HEADER},
        {"TGA of 16-bit indices", "a.tga", tgaFile(mapped(256, 16), "\x01\x00", tgaPalette()), IL_INVALID_FILE_HEADER},
        {"TGA map of 15-bit entries", "a.tga", tgaFile(mapped(4, 8, 15), "\x01", Bytes(8, 0)), IL_INVALID_FILE_HEADER},
        {"TGA true colour of 8 bits", "a.tga", tgaFile(Tga{2, 8}, "\x01"), IL_INVALID_FILE_HEADER},
        // TGA: an index past the map
        {"TGA index past a 4-entry map", "a.tga", tgaFile(mapped(4), "\x04", palette4), IL_ILLEGAL_FILE_VALUE},
        {"RLE TGA index past a 4-entry map", "a.tga", tgaRunLength(rleMapped, palette4 + "\x83\x07"),
         IL_ILLEGAL_FILE_VALUE},
        {"TGA indices inside a 4-entry map", "a.tga", tgaFile(mapped(4), "\x03", palette4), kOk},
        // TGA: size
        {"20-byte TGA claiming 40000 x 40000", "a.tga", Tga{2, 24, 40000, 40000}.header() + "ab", IL_OUT_OF_MEMORY},
        {"TGA of 8192 x 8193", "a.tga", Tga{2, 32, 8192, 8193}.header(), IL_OUT_OF_MEMORY},
        {"TGA of 8192 x 8192, no data", "a.tga", Tga{2, 32, 8192, 8192}.header(), IL_FILE_READ_ERROR},
        // TGA: what DevIL handles or refuses itself
        {"RLE packet past the last pixel", "a.tga", tgaRunLength(Tga{10, 24}, "\x84" + pixel), kOk},
        {"interleaved TGA", "a.tga", withByte(goodTga, 17, char(0x40)), kOk},
        {"TGA of unknown type", "a.tga", tgaFile(Tga{32, 24}, pixel), kOk},
        {"TGA of zero width", "a.tga", Tga{2, 24, 0, 2}.header(), kOk},
        // PNG: cut short
        {"empty PNG", "a.png", "", IL_INVALID_FILE_HEADER},
        {"PNG cut short", "a.png", goodPng.substr(0, goodPng.size() / 2), IL_FILE_READ_ERROR},
        {"PNG chunk length past the end", "a.png", withByte(goodPng, idatLength, 0x10), IL_FILE_READ_ERROR},
        {"PNG without IEND", "a.png", goodPng.substr(0, goodPng.size() - 12), IL_FILE_READ_ERROR},
        // PNG: size
        {"PNG of 60000 x 60000", "a.png", pngFile(Png{2, 8, 60000}, 1), IL_OUT_OF_MEMORY},
        {"PNG of 8192 x 8192 at 16 bits", "a.png", pngFile(Png{6, 16, 8192}, 1), IL_OUT_OF_MEMORY},
        // PNG: indices of a short palette
        {"PNG index past a 4-entry palette", "a.png", palettePng(8, 4, 4), IL_ILLEGAL_FILE_VALUE},
        {"PNG 4-bit index past a 2-entry palette", "a.png", palettePng(4, 2, 15), IL_ILLEGAL_FILE_VALUE},
        {"PNG interlaced index past the palette", "a.png", palettePng(2, 3, 3, 1), IL_ILLEGAL_FILE_VALUE},
        {"PNG indices inside a 3-entry palette", "a.png", palettePng(2, 3, 2, 1), kOk},
        {"PNG short palette, one row of two", "a.png", kSignature + Png{3, 8}.ihdr() + chunk("PLTE", palette4) +
         chunk("IDAT", zlibStream(pngRows(Png{3, 8}, 1).substr(0, 3))) + chunk("IEND", ""), IL_ILLEGAL_FILE_VALUE},
        {"PNG short palette, image data CRC wrong", "a.png", flipByte(palettePng(8, 4, 1), palettePng(8, 4, 1).size() - 13),
         IL_ILLEGAL_FILE_VALUE},
        // PNG: what libpng handles or refuses itself
        {"PNG signature damaged", "a.png", withByte(goodPng, 1, 'p'), kOk},
        {"PNG data CRC wrong", "a.png", flipByte(goodPng, goodPng.size() - 13), kOk},
        {"PNG full palette, index 255 at 8 bits", "a.png", palettePng(8, 256, 255), kOk},
        // JPEG
        {"JPEG frame of 65535 x 65535", "a.jpg", jpegFrame(65535, 65535), IL_OUT_OF_MEMORY},
        {"JPEG frame of 8192 x 8192", "a.jpg", jpegFrame(8192, 8192), kOk},
        {"JPEG without a frame", "a.jpg", Bytes("\xFF\xD8\xFF\xD9", 4), kOk},
        {"JPEG comment past the end", "a.jpg", jpegFrame(2, 2) + Bytes("\xFF\xFE\x01\x00" "ab", 6), IL_FILE_READ_ERROR},
        {"JPEG comment of length 0, then one past the end", "a.jpg",
         jpegFrame(2, 2) + Bytes("\xFF\xFE\x00\x00\xFF\xE1\x01\x00" "ab", 10), IL_FILE_READ_ERROR},
        {"JPEG table past the end", "a.jpg", jpegFrame(2, 2) + Bytes("\xFF\xDB\x01\x00" "ab", 6), kOk},
    };
    for (const Refusal& c : cases) EXPECT_EQ(checkImageBytes(c.name, c.bytes), c.expected) << c.what;
}
