#include "environment/CubeMap.h"

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "environment/Environment.h"
#include "platform/os/OutOfMemory.h"
#include "shading/TextureFile.h"

namespace {

struct CubeFace {
    const char* name;
    GLenum target;
};

const CubeFace kFaces[] = {
    {"posx.", GL_TEXTURE_CUBE_MAP_POSITIVE_X}, {"negx.", GL_TEXTURE_CUBE_MAP_NEGATIVE_X},
    {"posy.", GL_TEXTURE_CUBE_MAP_POSITIVE_Y}, {"negy.", GL_TEXTURE_CUBE_MAP_NEGATIVE_Y},
    {"posz.", GL_TEXTURE_CUBE_MAP_POSITIVE_Z}, {"negz.", GL_TEXTURE_CUBE_MAP_NEGATIVE_Z},
};

void writeGlError(const char* message, GLenum error) {
    std::cerr << message << reinterpret_cast<const char*>(gluErrorString(error)) << std::endl;
}

// The driver out of memory ends the process (platform/os/OutOfMemory.h).
void reportGlError(const char* message) {
    const GLenum error = glGetError();
    if (error == GL_OUT_OF_MEMORY) endOutOfMemory();
    if (error != GL_NO_ERROR) writeGlError(message, error);
}

// Mesa sizes a cube map's storage, six faces at once, from the first image it
// is given: for GLU's level 0 it reserves that level alone, and at level 1 the
// whole chain anew while level 0 keeps the first reservation alive (for a
// 4096 x 4096 face, 384 MiB beside the chain's 512 MiB). Naming level 1 first,
// without pixels, has it reserve the chain once; GLU then fills every level.
// GLU keeps a power-of-two side as it is, so level 1 is half of it.
void reserveMipmapChain(GLenum target, ILint side) {
    if (side < 2 || (side & (side - 1)) != 0) return;
    glTexImage2D(target, 1, GL_RGB8, side / 2, side / 2, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
}

// The side GLU scales an image side to before building mipmaps: the nearer power
// of two, a side whose two leading bits are set rounding up.
std::int64_t gluRoundedSide(std::int64_t side) {
    std::int64_t power = 1;
    for (std::int64_t value = side; value > 1; value >>= 1, power *= 2)
        if (value == 3) return power * 4;
    return power;
}

// GLU's rescale of a face whose width is already its rounded side reads one pixel
// past the last row; such a face is handed over with a spare pixel.
void buildMipmaps(GLenum target, ILint width, ILint height, const ILubyte* pixels) {
    std::vector<ILubyte> padded;
    if (width == gluRoundedSide(width) && height != gluRoundedSide(height)) {
        const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
        padded.assign(pixels, pixels + size);
        padded.resize(size + 3);
        pixels = padded.data();
    }
    // Rows of packed RGB bytes need not be 4-byte aligned.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    reserveMipmapChain(target, width);
    gluBuild2DMipmaps(target, GL_RGB8, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void buildFace(const std::string& path, GLenum target) {
    const bool loaded = loadImageFile(path);
    reportImageError("[ERROR] Could not load cube map image: ");
    ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    // After a failed load the face is built from whatever the bound image holds;
    // the failure has been reported once already.
    if (loaded) reportImageError("[ERROR] Could not convert cube map image: ");
    else clearImageErrors();
    const ILubyte* pixels = ilGetData();
    const ILint width = ilGetInteger(IL_IMAGE_WIDTH);
    const ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
    if (pixels && width > 0 && height > 0 && gluRoundedSide(width) != gluRoundedSide(height)) {
        // GLU scales a face to its rounded sides first; when they differ, no square
        // cube face comes of it and GLU reads past the end of the pixels.
        writeGlError("[ERROR] Could not build cube map mipmap: ", GL_INVALID_VALUE);
        return;
    }
    if (pixels && width > 0 && height > 0) buildMipmaps(target, width, height, pixels);
    reportGlError("[ERROR] Could not build cube map mipmap: ");
}

}  // namespace

void loadCubeMap(Environment& environment) {
    if (environment.cubeMapDirectory.empty() || environment.imageExtension.empty()) {
        std::cout << "[ERROR] Couldn't create CubeMap: Directory or File Format not defined!\n" << std::flush;
        return;
    }
    if (!GLEW_EXT_texture_cube_map)
        std::cout << "[ERROR] Couldn't create CubeMap: Extension not supported!\n" << std::flush;
    reportGlError("[ERROR] Could not generate cube map texture: ");
    glGenTextures(1, &environment.cubeMapTexture);
    reportGlError("[ERROR] Could not generate cube map texture: ");
    glBindTexture(GL_TEXTURE_CUBE_MAP, environment.cubeMapTexture);
    reportGlError("[ERROR] Could not bind cube map texture: ");
    for (const CubeFace& face : kFaces)
        buildFace(environment.cubeMapDirectory + face.name + environment.imageExtension, face.target);
    ilTexImage(1, 1, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, nullptr);  // the last face's pixels are no longer needed
}
