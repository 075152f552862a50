#include "platform/image/ImageFileCheck.h"

#include <cctype>
#include <istream>
#include <sstream>

#include "platform/image/ImageReader.h"
#include "platform/image/JpegFileCheck.h"
#include "platform/image/PngFileCheck.h"
#include "platform/image/TgaFileCheck.h"
#include "platform/os/ResourceFile.h"

// Each refusal names the hazard it prevents; every other file goes to DevIL.
// The rules of each format stand in its check (TgaFileCheck, PngFileCheck,
// JpegFileCheck); one holds for them all:
// - Decoded size over kMaxDecodedImageBytes: DevIL allocates the declared image
//   before reading a pixel, so a file of a few bytes takes gigabytes.

namespace {

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
    ImageReader file(stream);
    switch (decoder) {
        case Decoder::Tga: return checkTgaFile(file);
        case Decoder::Png: return checkPngFile(file);
        case Decoder::Jpeg: return checkJpegFile(file);
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
    const ILenum error = checkStream(decoder, stream);
    // To the check a failed read looks like the end of the file: refused whatever it made of that.
    return buffer.error == ResourceError::None ? error : IL_COULD_NOT_OPEN_FILE;
}

ILenum checkImageBytes(const std::string& path, const std::string& bytes) {
    const Decoder decoder = decoderFor(path);
    if (decoder == Decoder::None) return IL_INVALID_EXTENSION;
    std::istringstream stream(bytes);
    return checkStream(decoder, stream);
}
