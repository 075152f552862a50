#include "app/GlErrorReport.h"

#include <iostream>
#include <string>

#include <GL/glew.h>

namespace {

void GLAPIENTRY writeGlError(GLenum, GLenum, GLuint, GLenum, GLsizei length, const GLchar* message, const void*) {
    std::string text = length >= 0 ? std::string(message, static_cast<size_t>(length)) : std::string(message);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\0')) text.pop_back();
    std::cerr << "[ERROR] OpenGL: " << text << std::endl;
}

}  // namespace

bool reportGlErrors() {
    if (!glDebugMessageCallback || !glDebugMessageControl) return false;
    glDebugMessageCallback(writeGlError, nullptr);
    // Errors only: no performance hints, notifications or markers.
    glDebugMessageControl(GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr, GL_FALSE);
    glDebugMessageControl(GL_DONT_CARE, GL_DEBUG_TYPE_ERROR, GL_DONT_CARE, 0, nullptr, GL_TRUE);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    glEnable(GL_DEBUG_OUTPUT);
    return true;
}
