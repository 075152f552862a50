#include "app/PngFile.h"

#include <cstdint>
#include <vector>

#include <zlib.h>

namespace {

void appendBigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

// Length, type, data and the CRC of type and data.
void appendChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    appendBigEndian(out, static_cast<std::uint32_t>(crc));
}

// Rows top first, each with filter type 2 (up): small for smooth pictures, cheap to make.
std::vector<unsigned char> filteredRows(int width, int height, const unsigned char* rgbBottomUp) {
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> rows((stride + 1) * static_cast<size_t>(height));
    const unsigned char* above = nullptr;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = rgbBottomUp + stride * static_cast<size_t>(height - 1 - y);
        unsigned char* out = &rows[(stride + 1) * static_cast<size_t>(y)];
        out[0] = 2;
        for (size_t i = 0; i < stride; ++i) out[1 + i] = static_cast<unsigned char>(row[i] - (above ? above[i] : 0));
        above = row;
    }
    return rows;
}

}  // namespace

bool encodePng(int width, int height, const unsigned char* rgbBottomUp, std::vector<unsigned char>& png) {
    const std::vector<unsigned char> rows = filteredRows(width, height, rgbBottomUp);
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_BEST_SPEED) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<unsigned char> header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no interlace
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    png.assign(signature, signature + sizeof signature);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", {});
    return true;
}

