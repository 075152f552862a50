#include "platform/image/TgaFileCheck.h"

#include <algorithm>
#include <cstdint>

// What DevIL cannot be given a TGA with:
// - Header, identification field, colour map or pixel data (run-length packets
//   too) cut short: DevIL returns the image with its unread pixels uninitialised
//   and reports success to ILUT; the cube face converts them (colour indices
//   among them index past the palette).
// - Colour indices DevIL cannot convert: it decodes types 1 and 9 at any depth,
//   and 8-bit true colour, to indices, but converts only 8-bit indices into a
//   colour map of 16-, 24- or 32-bit entries. The unconverted image is then read
//   as RGB by the cube face (past the end of its 1- or 2-byte pixels), and ILU's
//   scaling of one wider than GL_MAX_TEXTURE_SIZE dereferences the failed
//   conversion (tga-8224x8224-rescale-crash.tga).
// - An index past the colour map: DevIL looks each index up unchecked (and
//   ignores the map's first-entry offset), reading past the palette.

namespace {

struct TgaHeader {
    unsigned idLength, colourMapType, imageType;
    unsigned mapFirst, mapLength, mapEntryBits;
    unsigned width, height, pixelBits, descriptor;
};

TgaHeader tgaHeader(const unsigned char* h) {
    return {h[0], h[1], h[2], littleEndian16(h + 3), littleEndian16(h + 5), h[7],
            littleEndian16(h + 12), littleEndian16(h + 14), h[16], h[17]};
}

bool isRunLength(const TgaHeader& t) { return t.imageType >= 9; }

// The image types DevIL decodes; it refuses the others itself.
bool tgaTypeKnown(const TgaHeader& t) { return (t.imageType >= 1 && t.imageType <= 3) || (t.imageType >= 9 && t.imageType <= 11); }

bool tgaIndicesConvertible(const TgaHeader& t) {
    if ((t.imageType == 2 || t.imageType == 10) && t.pixelBits == 8) return false;
    if (t.imageType != 1 && t.imageType != 9) return true;
    return t.pixelBits == 8 && t.colourMapType == 1 && t.mapLength > 0 &&
           (t.mapEntryBits == 16 || t.mapEntryBits == 24 || t.mapEntryBits == 32);
}

// The number of palette entries every index must stay below; 256 when any 8-bit
// index is safe.
unsigned tgaIndexLimit(const TgaHeader& t) {
    const bool mapped = t.imageType == 1 || t.imageType == 9;
    return mapped ? std::min(t.mapLength, 256u) : 256u;
}

// Passes over `count` pixel bytes, checking each against `indexLimit` when some
// 8-bit index could lie past the palette.
ILenum checkTgaPixelBytes(ImageReader& file, std::uint64_t count, unsigned indexLimit) {
    if (indexLimit >= 256) return file.skip(count) ? IL_NO_ERROR : IL_FILE_READ_ERROR;
    unsigned char buffer[1 << 14];
    for (std::uint64_t left = count; left > 0;) {
        const std::uint64_t part = std::min<std::uint64_t>(left, sizeof buffer);
        if (!file.read(buffer, part)) return IL_FILE_READ_ERROR;
        if (std::any_of(buffer, buffer + part, [&](unsigned char index) { return index >= indexLimit; }))
            return IL_ILLEGAL_FILE_VALUE;
        left -= part;
    }
    return IL_NO_ERROR;
}

// Walks the run-length packets up to the last pixel; every packet lies inside the file.
ILenum checkTgaPackets(ImageReader& file, std::uint64_t pixels, unsigned bytesPerPixel, unsigned indexLimit) {
    while (pixels > 0) {
        unsigned char packet = 0;
        if (!file.read(&packet, 1)) return IL_FILE_READ_ERROR;
        const unsigned count = (packet & 0x7F) + 1u;
        const std::uint64_t stored = (packet & 0x80) ? 1 : count;
        const ILenum data = checkTgaPixelBytes(file, stored * bytesPerPixel, indexLimit);
        if (data != IL_NO_ERROR) return data;
        pixels -= std::min<std::uint64_t>(count, pixels);
    }
    return IL_NO_ERROR;
}

}  // namespace

ILenum checkTgaFile(ImageReader& file) {
    unsigned char bytes[18];
    if (!file.read(bytes, sizeof bytes)) return IL_INVALID_FILE_HEADER;
    const TgaHeader header = tgaHeader(bytes);
    if (!tgaTypeKnown(header)) return IL_NO_ERROR;
    if (!tgaIndicesConvertible(header)) return IL_INVALID_FILE_HEADER;
    const ILenum size = checkDecodedSize(header.width, header.height, 1);
    if (size != IL_NO_ERROR) return size;
    const unsigned bytesPerPixel = (header.pixelBits + 7) / 8;
    const std::uint64_t mapBytes = header.colourMapType ? header.mapLength * ((header.mapEntryBits + 7) / 8) : 0;
    if (!file.skip(header.idLength + mapBytes)) return IL_FILE_READ_ERROR;
    const std::uint64_t pixels = std::uint64_t(header.width) * header.height;
    const unsigned indexLimit = tgaIndexLimit(header);
    if (isRunLength(header)) return checkTgaPackets(file, pixels, bytesPerPixel, indexLimit);
    return checkTgaPixelBytes(file, pixels * bytesPerPixel, indexLimit);
}
