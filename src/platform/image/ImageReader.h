#pragma once

#include <cstdint>
#include <istream>

#include <IL/il.h>

#include "platform/image/ImageFileCheck.h"

// Sequential reads over a stream of known size; no read goes past its end.
class ImageReader {
public:
    explicit ImageReader(std::istream& stream) : in(stream) {
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

inline std::uint32_t littleEndian16(const unsigned char* p) { return p[0] | (p[1] << 8); }
inline std::uint32_t bigEndian16(const unsigned char* p) { return (p[0] << 8) | p[1]; }

inline std::uint32_t bigEndian32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// IL_OUT_OF_MEMORY when the decoded image would exceed kMaxDecodedImageBytes.
inline ILenum checkDecodedSize(std::uint64_t width, std::uint64_t height, std::uint64_t bytesPerSample) {
    return width * height * 4 * bytesPerSample > kMaxDecodedImageBytes ? IL_OUT_OF_MEMORY : IL_NO_ERROR;
}
