#pragma once

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "environment/Environment.h"
#include "support/Scratch.h"

// The six faces in loading order and the solid colours the tests paint them.
using Rgb = std::array<unsigned char, 3>;
const std::array<const char*, 6> kFaceNames = {"posx", "negx", "posy", "negy", "posz", "negz"};
const std::array<Rgb, 6> kFaceColours = {
    {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {250, 250, 0}, {0, 250, 250}, {250, 0, 250}}};
inline GLenum faceTarget(std::size_t i) { return static_cast<GLenum>(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i); }

inline void initialiseImageLibrary() {
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    ilEnable(IL_FILE_OVERWRITE);
}

// Writes 8x8 solid faces with the given extension into a fresh scratch directory.
inline std::string writeFaces(const std::string& name, const std::string& extension) {
    const std::string directory = scratchPath("environment/" + name) + "/";
    std::system(("rm -rf '" + directory + "' && mkdir -p '" + directory + "'").c_str());
    for (std::size_t f = 0; f < kFaceNames.size(); ++f) {
        std::vector<unsigned char> pixels;
        for (int i = 0; i < 64; ++i) pixels.insert(pixels.end(), kFaceColours[f].begin(), kFaceColours[f].end());
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        ilTexImage(8, 8, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());
        ilSaveImage((directory + kFaceNames[f] + "." + extension).c_str());
        ilDeleteImages(1, &image);
    }
    ilBindImage(0);
    return directory;
}
