#include "shading/ImageFileCheck.h"

#include <algorithm>
#include <istream>
#include <sstream>

#include <zlib.h>

#include "platform/os/ResourceFile.h"

namespace {

// Sequential reads over a stream of known size; no read goes past its end.
class Reader {
public:
    explicit Reader(std::istream& stream) : in(stream) {
        in.seekg(0, std::ios::end);
        const std::streamoff end = in.tellg();
        size = end > 0 ? static_cast<std::uint64_t>(end) : 0;
        in.seekg(0, std::ios::beg);
        if (!in) size = 0;
    }

    std::uint64_t remaining() const { return size - position; }

    bool read(unsigned char* out, std::uint64_t count) {
        if (count > remaining()) return false;
        in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
        if (static_cast<std::uint64_t>(in.gcount()) != count) return false;
        position += count;
        return true;
    }

    bool skip(std::uint64_t count) {
        if (count > remaining()) return false;
        position += count;
        in.seekg(static_cast<std::streamoff>(position), std::ios::beg);
        return static_cast<bool>(in);
    }

private:
    std::istream& in;
    std::uint64_t size = 0;
    std::uint64_t position = 0;
};

std::uint32_t littleEndian16(const unsigned char* p) { return p[0] | (p[1] << 8); }

std::uint32_t bigEndian32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

ILenum checkDimensions(std::uint64_t width, std::uint64_t height, std::uint64_t bytesPerPixel, int maxDimension) {
    if (width == 0 || height == 0) return IL_INVALID_FILE_HEADER;
    const std::uint64_t limit = maxDimension > 0 ? static_cast<std::uint64_t>(maxDimension) : 0;
    if (width > limit || height > limit) return IL_OUT_OF_MEMORY;
    if (width * height * bytesPerPixel > kMaxDecodedImageBytes) return IL_OUT_OF_MEMORY;
    return IL_NO_ERROR;
}

// ---- TGA ----

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

// The kinds DevIL's TGA decoder reads within its buffers: 8-bit indices into a
// full 256-entry palette of 24 or 32 bits, true colour of 15 to 32 bits, 8-bit grey;
// no interleaving and the reserved descriptor bit clear.
bool tgaKindSafe(const TgaHeader& t) {
    if (t.descriptor & 0xD0) return false;
    switch (t.imageType) {
        case 1:
        case 9:
            return t.colourMapType == 1 && t.pixelBits == 8 && t.mapFirst == 0 && t.mapLength >= 256 &&
                   (t.mapEntryBits == 24 || t.mapEntryBits == 32);
        case 2:
        case 10:
            return t.colourMapType == 0 && t.mapLength == 0 &&
                   (t.pixelBits == 15 || t.pixelBits == 16 || t.pixelBits == 24 || t.pixelBits == 32);
        case 3:
        case 11: return t.colourMapType == 0 && t.mapLength == 0 && t.pixelBits == 8;
        default: return false;
    }
}

// Walks the run-length packets: every packet lies inside the file and none
// runs past the last pixel.
ILenum checkTgaPackets(Reader& file, std::uint64_t pixels, unsigned bytesPerPixel) {
    while (pixels > 0) {
        unsigned char packet = 0;
        if (!file.read(&packet, 1)) return IL_FILE_READ_ERROR;
        const unsigned count = (packet & 0x7F) + 1u;
        if (count > pixels) return IL_ILLEGAL_FILE_VALUE;
        const std::uint64_t dataBytes = (packet & 0x80) ? bytesPerPixel : std::uint64_t(count) * bytesPerPixel;
        if (!file.skip(dataBytes)) return IL_FILE_READ_ERROR;
        pixels -= count;
    }
    return IL_NO_ERROR;
}

ILenum checkTga(Reader& file, int maxDimension) {
    unsigned char bytes[18];
    if (!file.read(bytes, sizeof bytes)) return IL_INVALID_FILE_HEADER;
    const TgaHeader header = tgaHeader(bytes);
    if (!tgaKindSafe(header)) return IL_INVALID_FILE_HEADER;
    const ILenum size = checkDimensions(header.width, header.height, 4, maxDimension);
    if (size != IL_NO_ERROR) return size;
    const unsigned bytesPerPixel = (header.pixelBits + 7) / 8;
    const std::uint64_t mapBytes = header.colourMapType ? header.mapLength * (header.mapEntryBits / 8) : 0;
    if (!file.skip(header.idLength + mapBytes)) return IL_FILE_READ_ERROR;
    const std::uint64_t pixels = std::uint64_t(header.width) * header.height;
    if (isRunLength(header)) return checkTgaPackets(file, pixels, bytesPerPixel);
    return file.skip(pixels * bytesPerPixel) ? IL_NO_ERROR : IL_FILE_READ_ERROR;
}

// ---- PNG ----

const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct PngChunk {
    std::uint32_t length = 0;
    unsigned char type[4] = {};
    unsigned char head[13] = {};  // the first bytes of the data, enough for IHDR

    bool is(const char* name) const {
        return type[0] == name[0] && type[1] == name[1] && type[2] == name[2] && type[3] == name[3];
    }
    bool critical() const { return (type[0] & 0x20) == 0; }
};

bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Reads one chunk whole, checking that it lies inside the file and that its CRC
// matches its type and data.
ILenum readPngChunk(Reader& file, PngChunk& chunk) {
    unsigned char header[8];
    if (!file.read(header, sizeof header)) return IL_FILE_READ_ERROR;
    chunk.length = bigEndian32(header);
    std::copy(header + 4, header + 8, chunk.type);
    if (chunk.length > 0x7FFFFFFFu) return IL_FILE_READ_ERROR;
    for (unsigned char c : chunk.type)
        if (!isLetter(c)) return IL_ILLEGAL_FILE_VALUE;
    if (std::uint64_t(chunk.length) + 4 > file.remaining()) return IL_FILE_READ_ERROR;
    uLong crc = crc32(0, chunk.type, 4);  // PNG's CRC is zlib's
    unsigned char buffer[1 << 14];
    for (std::uint64_t left = chunk.length; left > 0;) {
        const std::uint64_t count = left < sizeof buffer ? left : sizeof buffer;
        if (!file.read(buffer, count)) return IL_FILE_READ_ERROR;
        if (left == chunk.length) std::copy(buffer, buffer + (count < 13 ? count : 13), chunk.head);
        crc = crc32(crc, buffer, static_cast<uInt>(count));
        left -= count;
    }
    unsigned char stored[4];
    if (!file.read(stored, 4)) return IL_FILE_READ_ERROR;
    return crc == bigEndian32(stored) ? IL_NO_ERROR : IL_ILLEGAL_FILE_VALUE;
}

struct PngHeader {
    std::uint32_t width, height;
    unsigned bitDepth, colourType, compression, filter, interlace;
};

bool pngFormatValid(const PngHeader& h) {
    const unsigned d = h.bitDepth;
    bool depthValid = false;
    switch (h.colourType) {
        case 0: depthValid = d == 1 || d == 2 || d == 4 || d == 8 || d == 16; break;
        case 3: depthValid = d == 1 || d == 2 || d == 4 || d == 8; break;
        case 2:
        case 4:
        case 6: depthValid = d == 8 || d == 16; break;
        default: return false;
    }
    return depthValid && h.compression == 0 && h.filter == 0 && h.interlace <= 1;
}

// What the chunks after IHDR have shown so far.
struct PngLayout {
    PngHeader header;
    unsigned paletteEntries = 0;
    bool transparency = false;
    bool imageData = false;
    bool imageDataEnded = false;
};

// PLTE only for palette images, once, before the image data, holding an entry
// for every index the bit depth allows (DevIL looks indices up unchecked).
bool paletteAcceptable(const PngChunk& chunk, const PngLayout& layout) {
    if (layout.header.colourType != 3 || layout.paletteEntries || layout.imageData) return false;
    if (chunk.length % 3 != 0 || chunk.length > 3 * 256) return false;
    return chunk.length / 3 >= (1u << layout.header.bitDepth);
}

bool transparencyAcceptable(const PngChunk& chunk, const PngLayout& layout) {
    if (layout.transparency || layout.imageData) return false;
    switch (layout.header.colourType) {
        case 0: return chunk.length == 2;
        case 2: return chunk.length == 6;
        case 3: return layout.paletteEntries && chunk.length > 0 && chunk.length <= layout.paletteEntries;
        default: return false;
    }
}

// Applies one chunk after IHDR to the layout; false when it is out of place.
bool placeChunk(const PngChunk& chunk, PngLayout& layout) {
    if (chunk.is("IDAT")) {
        if (layout.imageDataEnded || (layout.header.colourType == 3 && !layout.paletteEntries)) return false;
        layout.imageData = true;
        return true;
    }
    layout.imageDataEnded = layout.imageData;
    if (chunk.is("PLTE")) {
        if (!paletteAcceptable(chunk, layout)) return false;
        layout.paletteEntries = chunk.length / 3;
        return true;
    }
    if (chunk.is("tRNS")) {
        if (!transparencyAcceptable(chunk, layout)) return false;
        layout.transparency = true;
        return true;
    }
    return !chunk.critical();
}

ILenum checkPngHeader(Reader& file, PngHeader& header, int maxDimension) {
    unsigned char signature[8];
    if (!file.read(signature, sizeof signature) || !std::equal(signature, signature + 8, kPngSignature))
        return IL_INVALID_FILE_HEADER;
    PngChunk chunk;
    if (readPngChunk(file, chunk) != IL_NO_ERROR || !chunk.is("IHDR") || chunk.length != 13)
        return IL_INVALID_FILE_HEADER;
    const unsigned char* h = chunk.head;
    header = {bigEndian32(h), bigEndian32(h + 4), h[8], h[9], h[10], h[11], h[12]};
    if (!pngFormatValid(header)) return IL_INVALID_FILE_HEADER;
    return checkDimensions(header.width, header.height, header.bitDepth == 16 ? 8 : 4, maxDimension);
}

ILenum checkPng(Reader& file, int maxDimension) {
    PngLayout layout;
    const ILenum header = checkPngHeader(file, layout.header, maxDimension);
    if (header != IL_NO_ERROR) return header;
    for (;;) {
        PngChunk chunk;
        const ILenum read = readPngChunk(file, chunk);
        if (read != IL_NO_ERROR) return read;
        if (chunk.is("IEND")) return chunk.length == 0 && layout.imageData ? IL_NO_ERROR : IL_ILLEGAL_FILE_VALUE;
        if (!placeChunk(chunk, layout)) return IL_ILLEGAL_FILE_VALUE;
    }
}

// The text after the last dot of the whole path, as DevIL takes it.
std::string extensionOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

ILenum checkStream(const std::string& extension, std::istream& stream, int maxDimension) {
    Reader file(stream);
    return extension == "tga" ? checkTga(file, maxDimension) : checkPng(file, maxDimension);
}

bool extensionKnown(const std::string& extension) { return extension == "tga" || extension == "png"; }

}  // namespace

ILenum checkImageFile(const std::string& path, int maxDimension) {
    const std::string extension = extensionOf(path);
    if (!extensionKnown(extension)) return IL_INVALID_EXTENSION;
    const ResourceFile file(path, kImageFileLimit);
    if (!file.isOpen()) return IL_COULD_NOT_OPEN_FILE;
    ResourceStreamBuffer buffer(file);
    std::istream stream(&buffer);
    return checkStream(extension, stream, maxDimension);
}

ILenum checkImageBytes(const std::string& path, const std::string& bytes, int maxDimension) {
    const std::string extension = extensionOf(path);
    if (!extensionKnown(extension)) return IL_INVALID_EXTENSION;
    std::istringstream stream(bytes);
    return checkStream(extension, stream, maxDimension);
}
