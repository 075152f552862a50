#include "app/GlInfo.h"

#include <iostream>

std::string glString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

namespace {

void present(const char* what, bool available) {
    std::cout << "[INFO] " << what << ": " << (available ? "yes" : "no") << std::endl;
}

}  // namespace

void printGlInfo() {
    std::cout << "[INFO] OpenGL vendor: " << glString(GL_VENDOR) << std::endl;
    std::cout << "[INFO] OpenGL renderer: " << glString(GL_RENDERER) << std::endl;
    std::cout << "[INFO] OpenGL version: " << glString(GL_VERSION) << std::endl;
    present("OpenGL 2.0 (shaders)", GLEW_VERSION_2_0);
    present("GL_ARB_separate_shader_objects or OpenGL 4.1", GLEW_ARB_separate_shader_objects || GLEW_VERSION_4_1);
    present("GL_EXT_texture_cube_map (sky box, reflection)", GLEW_EXT_texture_cube_map);
    present("GL_EXT_stencil_two_side (shadow volumes)", GLEW_EXT_stencil_two_side);
    present("GL_EXT_stencil_wrap (shadow volumes)", GLEW_EXT_stencil_wrap);
}
