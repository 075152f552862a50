#pragma once

#include <vector>

#include <GL/glew.h>

// A one-row RGB texture with nearest filtering, texels left to right.
inline GLuint rowTexture(const std::vector<unsigned char>& rgb) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, static_cast<GLsizei>(rgb.size() / 3), 1, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}
