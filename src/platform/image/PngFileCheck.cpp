#include "platform/image/PngFileCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include <zlib.h>

// What DevIL cannot be given a PNG with:
// - A chunk, IHDR or not, running past the end of the file, or no IEND: DevIL's
//   read callback ignores the end of the file and libpng spins on the data it
//   never gets (png-2x2-hang.png, png-8x5-hang.png), for seconds per gigabyte a
//   chunk length claims (png-chunk-before-ihdr-past-end-slow.png).
// - A palette image whose palette has fewer than 256 entries, and an index past
//   it, or image data (a damaged zlib stream, a bad filter type or IDAT CRC, too
//   few rows) that leaves libpng short of rows: DevIL converts the indices,
//   uninitialised ones too, through the palette unchecked.

namespace {

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
ILenum readPngChunkHeader(ImageReader& file, PngChunk& chunk) {
    unsigned char header[8];
    if (!file.read(header, sizeof header)) return IL_FILE_READ_ERROR;
    chunk.length = bigEndian32(header);
    std::copy(header + 4, header + 8, chunk.type);
    if (chunk.length > 0x7FFFFFFFu || std::uint64_t(chunk.length) + 4 > file.remaining()) return IL_FILE_READ_ERROR;
    return IL_NO_ERROR;
}

// Reads the chunk's data and CRC, noting whether the CRC matches, and hands the
// data to `scan` when there is one.
ILenum readPngChunkData(ImageReader& file, PngChunk& chunk, PngIndexScan* scan) {
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

}  // namespace

ILenum checkPngFile(ImageReader& file) {
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
            if (needsIndexScan(layout)) layout.scan = std::make_unique<PngIndexScan>(layout.header, layout.paletteEntries);
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
