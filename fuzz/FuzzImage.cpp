// An image file as the program loads its images: straight into a texture as
// the start-up textures are, and into DevIL's bound image, converted to RGB
// bytes and built into a cube-map face with its mipmaps as the sky box is.
// The first input byte picks the file's extension (even: .tga, odd: .png); the
// rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <GL/glew.h>
#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "FuzzFiles.h"
#include "shading/TextureFile.h"
#include "support/GlContext.h"

namespace {

void discardGlErrors() {
    while (glGetError() != GL_NO_ERROR) {
    }
}

void loadAsTexture(const std::string& path) {
    GLuint texture = loadTextureFile(path);
    reportImageError("texture: ");
    if (texture) glDeleteTextures(1, &texture);
    discardGlErrors();
}

void loadAsCubeFace(const std::string& path) {
    ilLoadImage(path.c_str());
    reportImageError("load: ");
    ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    reportImageError("convert: ");
    const ILubyte* pixels = ilGetData();
    const ILint width = ilGetInteger(IL_IMAGE_WIDTH);
    const ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
    if (pixels && width > 0 && height > 0) {
        // GLU reads width * height RGB bytes: DevIL must hold them all.
        const long long needed = 3LL * width * height;
        if (ilGetInteger(IL_IMAGE_SIZE_OF_DATA) < needed || ilGetInteger(IL_IMAGE_BPP) != 3) {
            std::fprintf(stderr, "image of %dx%d holds %d bytes\n", width, height,
                         ilGetInteger(IL_IMAGE_SIZE_OF_DATA));
            std::abort();
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_RGB8, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    }
    discardGlErrors();
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
    GLuint cubeMap = 0;
    glGenTextures(1, &cubeMap);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeMap);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string path = writeInputFile(data + 1, size - 1, data[0] % 2 ? "input.png" : "input.tga");
    loadAsTexture(path);
    loadAsCubeFace(path);
    return 0;
}
