#pragma once

#include <array>
#include <string>
#include <vector>

#include <GL/glew.h>

#include "environment/Environment.h"
#include "support/ImageLibrary.h"
#include "support/Scratch.h"

// The six faces in loading order and the solid colours the tests paint them.
const std::array<const char*, 6> kFaceNames = {"posx", "negx", "posy", "negy", "posz", "negz"};
const std::array<Rgb, 6> kFaceColours = {
    {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {250, 250, 0}, {0, 250, 250}, {250, 0, 250}}};
inline GLenum faceTarget(std::size_t i) { return static_cast<GLenum>(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i); }

// Writes 8x8 solid faces with the given extension into a scratch folder of that name.
inline std::string writeFaces(const std::string& name, const std::string& extension) {
    const std::string directory = scratchPath(name + "/");
    for (std::size_t f = 0; f < kFaceNames.size(); ++f)
        writeSolidImage(directory + kFaceNames[f] + "." + extension, 8, kFaceColours[f]);
    return directory;
}

// The centre texel of level 0 of one 8x8 face of the bound cube map.
inline Rgb centreTexel(GLenum target) {
    std::vector<unsigned char> texels(8 * 8 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return {texels[(4 * 8 + 4) * 3], texels[(4 * 8 + 4) * 3 + 1], texels[(4 * 8 + 4) * 3 + 2]};
}
