// An image file as the program loads its images: straight into a texture as
// the start-up textures are, and as a face of the sky box's cube map.
// The first input byte picks the file's extension (bit 2 set: .jpg, else bit 0
// clear: .tga, set: .png) and whether the PNG chunks keep their CRCs as mutated
// (bit 1 set) or get correct ones (clear), so that most mutations reach the
// decoder behind the check; the rest is the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <GL/glew.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <zlib.h>

#include "FuzzFiles.h"
#include "environment/CubeMap.h"
#include "environment/Environment.h"
#include "shading/TextureFile.h"
#include "support/GlContext.h"

namespace {

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// Rewrites the CRC of every whole chunk after the 8-byte signature.
void correctPngCrcs(std::vector<std::uint8_t>& file) {
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::uint64_t length = bigEndian32(&file[at]);
        if (length > file.size() - at - 12) return;
        const std::size_t crcAt = at + 8 + static_cast<std::size_t>(length);
        const uLong crc = crc32(0, &file[at + 4], static_cast<uInt>(length) + 4);
        for (int k = 0; k < 4; ++k) file[crcAt + k] = static_cast<std::uint8_t>(crc >> (24 - 8 * k));
        at = crcAt + 4;
    }
}

void discardGlErrors() {
    while (glGetError() != GL_NO_ERROR) {
    }
}

void loadAsTexture(const std::string& path) {
    GLuint texture = loadTextureReportingErrors(path, "texture: ");
    if (texture) glDeleteTextures(1, &texture);
    discardGlErrors();
}

// The file is the +x face; the five missing faces are built from the image
// that the failed loads leave bound, as the loader does.
void loadAsCubeMap(const std::string& path) {
    Environment environment;
    environment.cubeMapDirectory = path.substr(0, path.rfind('/') + 1);
    environment.imageExtension = path.substr(path.rfind('.') + 1);
    loadCubeMap(environment);
    discardGlErrors();
}

// GLU reads width x height x 3 bytes, and ILUT width x height x bytes-per-pixel,
// from the image DevIL leaves bound; neither is instrumented, so a shorter buffer
// is caught here.
void checkBoundImageSize() {
    const long long width = ilGetInteger(IL_IMAGE_WIDTH);
    const long long height = ilGetInteger(IL_IMAGE_HEIGHT);
    const long long bytes = std::max(ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL), 3);
    if (ilGetData() && width > 0 && height > 0 && ilGetInteger(IL_IMAGE_SIZE_OF_DATA) < width * height * bytes) {
        std::fprintf(stderr, "bound image of %lldx%lld holds %d bytes\n", width, height,
                     ilGetInteger(IL_IMAGE_SIZE_OF_DATA));
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceStreams();
    static GlContext* context = new GlContext(32, 32);
    (void)context;
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool jpeg = data[0] & 4;
    const bool png = !jpeg && (data[0] & 1);
    std::vector<std::uint8_t> file(data + 1, data + size);
    if (png && !(data[0] & 2)) correctPngCrcs(file);
    const std::string path =
        writeInputFile(file.data(), file.size(), jpeg ? "posx.jpg" : png ? "posx.png" : "posx.tga");
    loadAsTexture(path);
    loadAsCubeMap(path);
    checkBoundImageSize();
    return 0;
}
