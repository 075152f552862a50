#include "shading/ImageFileCheck.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <istream>
#include <memory>
#include <sstream>
#include <vector>

#include <zlib.h>

#include "platform/os/ResourceFile.h"

// Each refusal names the hazard it prevents; every other file goes to DevIL.
//
// All formats
//  - Decoded size over kMaxDecodedImageBytes: DevIL allocates the declared image
//    before reading a pixel, so a file of a few bytes takes gigabytes.
// TGA
//  - Header, identification field, colour map or pixel data (run-length packets
//    too) cut short: DevIL returns the image with its unread pixels uninitialised
//    and reports success to ILUT; the cube face converts them (colour indices
//    among them index past the palette).
//  - Colour indices DevIL cannot convert: it decodes types 1 and 9 at any depth,
//    and 8-bit true colour, to indices, but converts only 8-bit indices into a
//    colour map of 16-, 24- or 32-bit entries. The unconverted image is then read
//    as RGB by the cube face (past the end of its 1- or 2-byte pixels), and ILU's
//    scaling of one wider than GL_MAX_TEXTURE_SIZE dereferences the failed
//    conversion (tga-8224x8224-rescale-crash.tga).
//  - An index past the colour map: DevIL looks each index up unchecked (and
//    ignores the map's first-entry offset), reading past the palette.
// PNG
//  - A chunk, IHDR or not, running past the end of the file, or no IEND: DevIL's
//    read callback ignores the end of the file and libpng spins on the data it
//    never gets (png-2x2-hang.png, png-8x5-hang.png), for seconds per gigabyte a
//    chunk length claims (png-chunk-before-ihdr-past-end-slow.png).
//  - A palette image whose palette has fewer than 256 entries, and an index past
//    it, or image data (a damaged zlib stream, a bad filter type or IDAT CRC, too
//    few rows) that leaves libpng short of rows: DevIL converts the indices,
//    uninitialised ones too, through the palette unchecked.
// JPEG
//  - An application, comment or DNL segment running past the end of the file:
//    libjpeg skips it through DevIL's source manager, which at the end of the file
//    hands over no bytes and reports none missing, so the skip never ends.
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
std::uint32_t bigEndian16(const unsigned char* p) { return (p[0] << 8) | p[1]; }

std::uint32_t bigEndian32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

ILenum checkDecodedSize(std::uint64_t width, std::uint64_t height, std::uint64_t bytesPerSample) {
    return width * height * 4 * bytesPerSample > kMaxDecodedImageBytes ? IL_OUT_OF_MEMORY : IL_NO_ERROR;
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
ILenum checkTgaPixelBytes(Reader& file, std::uint64_t count, unsigned indexLimit) {
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
ILenum checkTgaPackets(Reader& file, std::uint64_t pixels, unsigned bytesPerPixel, unsigned indexLimit) {
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

ILenum checkTga(Reader& file) {
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

// ---- PNG ----

const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct PngHeader {
    std::uint32_t width = 0, height = 0;
    unsigned bitDepth = 0, colourType = 0, compression = 0, filter = 0, interlace = 0;
};

// Inflates and unfilters the image data of a palette PNG, row by row through the
// Adam7 passes, and tells whether every row arrived with every index inside the palette.
class PngIndexScan {
public:
    PngIndexScan(const PngHeader& header, unsigned paletteEntries)
        : depth(header.bitDepth), entries(paletteEntries) {
        const unsigned passes = header.interlace ? 7 : 1;
        for (unsigned p = 0; p < passes; ++p) {
            const std::uint64_t x0 = header.interlace ? kStartX[p] : 0, dx = header.interlace ? kStepX[p] : 1;
            const std::uint64_t y0 = header.interlace ? kStartY[p] : 0, dy = header.interlace ? kStepY[p] : 1;
            const std::uint64_t width = header.width > x0 ? (header.width - x0 + dx - 1) / dx : 0;
            const std::uint64_t height = header.height > y0 ? (header.height - y0 + dy - 1) / dy : 0;
            if (width > 0 && height > 0) pending.push_back({width, height});
        }
        std::reverse(pending.begin(), pending.end());
        stream.zalloc = Z_NULL;
        stream.zfree = Z_NULL;
        stream.opaque = Z_NULL;
        failed = inflateInit(&stream) != Z_OK;
        startPass();
    }
    ~PngIndexScan() { inflateEnd(&stream); }
    PngIndexScan(const PngIndexScan&) = delete;
    PngIndexScan& operator=(const PngIndexScan&) = delete;

    // Takes the next bytes of image data; false once they are damaged or an index
    // lies past the palette. Rows still missing are not a failure yet.
    bool feed(const unsigned char* data, std::size_t size) {
        stream.next_in = const_cast<unsigned char*>(data);
        stream.avail_in = static_cast<uInt>(size);
        bool more = true;
        while (more && !failed && !complete()) {
            unsigned char out[1 << 14];
            stream.next_out = out;
            stream.avail_out = sizeof out;
            const int status = inflate(&stream, Z_NO_FLUSH);
            if (status == Z_BUF_ERROR) break;  // nothing more without more input
            if (status != Z_OK && status != Z_STREAM_END) failed = true;
            takeRowBytes(out, sizeof out - stream.avail_out);
            if (status == Z_STREAM_END && !complete()) failed = true;
            more = status == Z_OK && (stream.avail_in > 0 || stream.avail_out == 0);
        }
        return !failed;
    }

    bool complete() const { return !failed && pass.rows == 0 && pending.empty(); }

    bool intact() const { return !failed; }
    void fail() { failed = true; }

private:
    static constexpr unsigned kStartX[7] = {0, 4, 0, 2, 0, 1, 0}, kStepX[7] = {8, 8, 4, 4, 2, 2, 1};
    static constexpr unsigned kStartY[7] = {0, 0, 4, 0, 2, 0, 1}, kStepY[7] = {8, 8, 8, 4, 4, 2, 2};

    struct Pass {
        std::uint64_t width = 0, rows = 0;
    };

    void startPass() {
        if (pending.empty()) return;
        pass = pending.back();
        pending.pop_back();
        const std::size_t rowBytes = static_cast<std::size_t>((pass.width * depth + 7) / 8);
        row.assign(rowBytes + 1, 0);
        previous.assign(rowBytes + 1, 0);
        filled = 0;
    }

    void takeRowBytes(const unsigned char* bytes, std::size_t count) {
        while (count > 0 && !failed && pass.rows > 0) {
            const std::size_t part = std::min(count, row.size() - filled);
            std::copy(bytes, bytes + part, row.begin() + static_cast<std::ptrdiff_t>(filled));
            filled += part;
            bytes += part;
            count -= part;
            if (filled == row.size()) finishRow();
        }
    }

    void finishRow() {
        failed = !unfilter() || !indicesInsidePalette();
        row.swap(previous);
        filled = 0;
        if (--pass.rows == 0) startPass();
    }

    // Undoes the row's filter in place (one byte per pixel step); false for an unknown filter type.
    bool unfilter() {
        const unsigned type = row[0];
        if (type > 4) return false;
        for (std::size_t i = 1; i < row.size(); ++i) {
            const int left = i > 1 ? row[i - 1] : 0, up = previous[i], upLeft = i > 1 ? previous[i - 1] : 0;
            int predicted = 0;
            if (type == 1) predicted = left;
            else if (type == 2) predicted = up;
            else if (type == 3) predicted = (left + up) / 2;
            else if (type == 4) predicted = paeth(left, up, upLeft);
            row[i] = static_cast<unsigned char>(row[i] + predicted);
        }
        return true;
    }

    static int paeth(int a, int b, int c) {
        const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    }

    bool indicesInsidePalette() const {
        const unsigned mask = (1u << depth) - 1;
        for (std::uint64_t x = 0; x < pass.width; ++x) {
            const std::uint64_t bit = x * depth;
            const unsigned index = (row[1 + bit / 8] >> (8 - depth - bit % 8)) & mask;
            if (index >= entries) return false;
        }
        return true;
    }

    unsigned depth;
    unsigned entries;
    std::vector<Pass> pending;
    Pass pass;
    std::vector<unsigned char> row, previous;
    std::size_t filled = 0;
    z_stream stream{};
    bool failed = false;
};

struct PngChunk {
    std::uint32_t length = 0;
    unsigned char type[4] = {};
    unsigned char head[13] = {};  // the first bytes of the data, enough for IHDR
    bool crcMatches = false;

    bool is(const char* name) const {
        return type[0] == name[0] && type[1] == name[1] && type[2] == name[2] && type[3] == name[3];
    }
};

// Reads a chunk's length and type; the data and CRC must lie inside the file.
ILenum readPngChunkHeader(Reader& file, PngChunk& chunk) {
    unsigned char header[8];
    if (!file.read(header, sizeof header)) return IL_FILE_READ_ERROR;
    chunk.length = bigEndian32(header);
    std::copy(header + 4, header + 8, chunk.type);
    if (chunk.length > 0x7FFFFFFFu || std::uint64_t(chunk.length) + 4 > file.remaining()) return IL_FILE_READ_ERROR;
    return IL_NO_ERROR;
}

// Reads the chunk's data and CRC, noting whether the CRC matches, and hands the
// data to `scan` when there is one.
ILenum readPngChunkData(Reader& file, PngChunk& chunk, PngIndexScan* scan) {
    uLong crc = crc32(0, chunk.type, 4);  // PNG's CRC is zlib's
    unsigned char buffer[1 << 14];
    for (std::uint64_t left = chunk.length; left > 0;) {
        const std::uint64_t count = std::min<std::uint64_t>(left, sizeof buffer);
        if (!file.read(buffer, count)) return IL_FILE_READ_ERROR;
        if (left == chunk.length) std::copy(buffer, buffer + std::min<std::uint64_t>(count, 13), chunk.head);
        crc = crc32(crc, buffer, static_cast<uInt>(count));
        if (scan) scan->feed(buffer, static_cast<std::size_t>(count));
        left -= count;
    }
    unsigned char stored[4];
    if (!file.read(stored, 4)) return IL_FILE_READ_ERROR;
    chunk.crcMatches = crc == bigEndian32(stored);
    return IL_NO_ERROR;
}

// What the chunks after IHDR have shown so far.
struct PngLayout {
    PngHeader header;
    bool headerSeen = false;  // libpng takes the first IHDR, wherever it stands
    unsigned paletteEntries = 0;
    bool imageData = false;
    std::unique_ptr<PngIndexScan> scan;  // only for a palette image with a short palette
};

// libpng decodes a palette image whose palette has fewer entries than an index
// byte can name: its indices need a look.
bool needsIndexScan(const PngLayout& layout) {
    const PngHeader& h = layout.header;
    const bool decodable = h.bitDepth <= 8 && h.compression == 0 && h.filter == 0 && h.interlace <= 1;
    return h.colourType == 3 && decodable && layout.paletteEntries > 0 && layout.paletteEntries < 256;
}

// Applies one read chunk to the layout; false when the palette indices are unsafe:
// one lies past the palette, or the image data ran out or broke before the last row.
bool placeChunk(const PngChunk& chunk, PngLayout& layout, bool scanned) {
    if (chunk.is("PLTE") && !layout.imageData && !layout.paletteEntries) layout.paletteEntries = chunk.length / 3;
    if (!layout.scan) return true;
    if (scanned && !chunk.crcMatches) layout.scan->fail();
    return layout.scan->complete() || (scanned && layout.scan->intact());
}

ILenum checkPng(Reader& file) {
    unsigned char signature[8];
    if (!file.read(signature, sizeof signature)) return IL_INVALID_FILE_HEADER;
    if (!std::equal(signature, signature + 8, kPngSignature)) return IL_NO_ERROR;  // DevIL refuses it itself
    PngLayout layout;
    for (;;) {
        PngChunk chunk;
        ILenum read = readPngChunkHeader(file, chunk);
        if (read != IL_NO_ERROR) return read;
        if (chunk.is("IDAT") && !layout.imageData) {
            layout.imageData = true;
            if (needsIndexScan(layout)) layout.scan.reset(new PngIndexScan(layout.header, layout.paletteEntries));
        }
        const bool scanned = chunk.is("IDAT") && layout.scan && !layout.scan->complete();
        read = readPngChunkData(file, chunk, scanned ? layout.scan.get() : nullptr);
        if (read != IL_NO_ERROR) return read;
        if (chunk.is("IHDR") && chunk.length == 13 && !layout.headerSeen) {
            const unsigned char* h = chunk.head;
            layout.header = {bigEndian32(h), bigEndian32(h + 4), h[8], h[9], h[10], h[11], h[12]};
            layout.headerSeen = true;
            const ILenum size = checkDecodedSize(layout.header.width, layout.header.height, h[8] == 16 ? 2 : 1);
            if (size != IL_NO_ERROR) return size;
        }
        if (!placeChunk(chunk, layout, scanned)) return IL_ILLEGAL_FILE_VALUE;
        if (chunk.is("IEND")) return IL_NO_ERROR;
    }
}

// ---- JPEG ----

bool isStartOfFrame(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The next marker as libjpeg finds it: bytes before a 0xFF and fill bytes skipped.
bool nextJpegMarker(Reader& file, unsigned& marker) {
    unsigned char byte = 0;
    do {
        do {
            if (!file.read(&byte, 1)) return false;
        } while (byte != 0xFF);
        do {
            if (!file.read(&byte, 1)) return false;
        } while (byte == 0xFF);
    } while (byte == 0);
    marker = byte;
    return true;
}

// Application, comment and DNL segments, which libjpeg skips rather than reads.
bool isSkippedByLibjpeg(unsigned marker) { return (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE || marker == 0xDC; }

// Walks every marker segment to EOI as libjpeg meets them, the entropy-coded data
// between them included. The first SOF gives the image size; a segment libjpeg
// skips must end inside the file.
ILenum checkJpeg(Reader& file) {
    unsigned char start[2];
    if (!file.read(start, 2) || start[0] != 0xFF || start[1] != 0xD8) return IL_NO_ERROR;
    bool frameSeen = false;
    unsigned marker = 0;
    while (nextJpegMarker(file, marker) && marker != 0xD9) {
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue;
        unsigned char length[2];
        if (!file.read(length, 2)) return IL_NO_ERROR;
        const std::uint32_t segment = bigEndian16(length);
        if (segment < 2 && !isSkippedByLibjpeg(marker)) return IL_NO_ERROR;  // libjpeg refuses it
        if (segment < 2) continue;  // libjpeg skips nothing and reads on
        if (segment - 2 > file.remaining()) return isSkippedByLibjpeg(marker) ? IL_FILE_READ_ERROR : IL_NO_ERROR;
        if (isStartOfFrame(marker) && !frameSeen && segment >= 7) {
            frameSeen = true;
            unsigned char frame[5];
            file.read(frame, sizeof frame);
            const ILenum size = checkDecodedSize(bigEndian16(frame + 3), bigEndian16(frame + 1), frame[0] > 8 ? 2 : 1);
            if (size != IL_NO_ERROR) return size;
            file.skip(segment - 7);
        } else {
            file.skip(segment - 2);
        }
    }
    return IL_NO_ERROR;
}

// ---- Extensions ----

enum class Decoder { None, Tga, Png, Jpeg };

// The decoder DevIL picks from the text after the last dot of the whole path,
// whatever its case.
Decoder decoderFor(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* name : {"tga", "vda", "icb", "vst"})
        if (extension == name) return Decoder::Tga;
    if (extension == "png") return Decoder::Png;
    for (const char* name : {"jpg", "jpe", "jpeg", "jif", "jfif"})
        if (extension == name) return Decoder::Jpeg;
    return Decoder::None;
}

ILenum checkStream(Decoder decoder, std::istream& stream) {
    Reader file(stream);
    switch (decoder) {
        case Decoder::Tga: return checkTga(file);
        case Decoder::Png: return checkPng(file);
        case Decoder::Jpeg: return checkJpeg(file);
        case Decoder::None: break;
    }
    return IL_INVALID_EXTENSION;
}

}  // namespace

ILenum checkImageFile(const std::string& path) {
    const Decoder decoder = decoderFor(path);
    if (decoder == Decoder::None) return IL_INVALID_EXTENSION;
    const ResourceFile file(path, kImageFileLimit);
    if (!file.isOpen()) return IL_COULD_NOT_OPEN_FILE;
    ResourceStreamBuffer buffer(file);
    std::istream stream(&buffer);
    return checkStream(decoder, stream);
}

ILenum checkImageBytes(const std::string& path, const std::string& bytes) {
    const Decoder decoder = decoderFor(path);
    if (decoder == Decoder::None) return IL_INVALID_EXTENSION;
    std::istringstream stream(bytes);
    return checkStream(decoder, stream);
}
