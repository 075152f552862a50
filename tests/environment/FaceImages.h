#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "environment/Environment.h"

// The six cube-map faces in loading order, with the colours the tests paint them.
const std::array<const char*, 6> kFaceNames = {"posx", "negx", "posy", "negy", "posz", "negz"};
const std::array<GLenum, 6> kFaceTargets = {
    GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_NEGATIVE_X, GL_TEXTURE_CUBE_MAP_POSITIVE_Y,
    GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z};
using Rgb = std::array<unsigned char, 3>;
const std::array<Rgb, 6> kFaceColours = {{{250, 0, 0}, {0, 250, 0}, {0, 0, 250},
                                          {250, 250, 0}, {0, 250, 250}, {250, 0, 250}}};

inline void initialiseImageLibrary() {
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    ilEnable(IL_FILE_OVERWRITE);
}

// A fresh, empty directory under the suite's scratch folder, ending in '/'.
inline std::string scratchDirectory(const std::string& name) {
    const std::string directory = std::string(ZEN_TEST_TMP_DIR) + "/environment/" + name + "/";
    std::system(("rm -rf '" + directory + "' && mkdir -p '" + directory + "'").c_str());
    return directory;
}

// Saves a solid-coloured image of the given size; the format follows the file's extension.
inline void writeSolidImage(const std::string& path, const Rgb& colour, int size = 8) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < size * size; ++i) pixels.insert(pixels.end(), colour.begin(), colour.end());
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(size, size, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());
    ilSaveImage(path.c_str());
    ilDeleteImages(1, &image);
    ilBindImage(0);
}

inline std::string writeFaces(const std::string& name, const std::string& extension) {
    const std::string directory = scratchDirectory(name);
    for (std::size_t i = 0; i < kFaceNames.size(); ++i)
        writeSolidImage(directory + kFaceNames[i] + "." + extension, kFaceColours[i]);
    return directory;
}

// The centre texel of one face of the bound cube map, read back from OpenGL.
inline Rgb faceTexel(GLenum target, int size = 8) {
    std::vector<unsigned char> texels(static_cast<std::size_t>(size) * size * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    const std::size_t centre = (static_cast<std::size_t>(size / 2) * size + size / 2) * 3;
    return {texels[centre], texels[centre + 1], texels[centre + 2]};
}
