#include "run/GlInfo.h"

#include <iostream>

#include "platform/cg/CgGL.h"
#include "platform/egl/EglContext.h"
#include "platform/glx/SwapInterval.h"
#include "shadow/PassStates.h"

std::string glString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

int samplesInEffect() {
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    return samples > 1 ? samples : 1;
}

std::string swapIntervalText() {
    const int interval = currentSwapInterval();
    return interval < 0 ? "unknown" : std::to_string(interval);
}

std::string swapIntervalText(const EglContext* headless) { return headless ? "none" : swapIntervalText(); }

namespace {

void present(const char* what, bool available) {
    std::cout << "[INFO] " << what << ": " << (available ? "yes" : "no") << std::endl;
}

}  // namespace

void printGlInfo(const EglContext* headless) {
    if (headless) std::cout << "[INFO] EGL: " << eglContextText(*headless) << std::endl;
    std::cout << "[INFO] OpenGL vendor: " << glString(GL_VENDOR) << std::endl;
    std::cout << "[INFO] OpenGL renderer: " << glString(GL_RENDERER) << std::endl;
    std::cout << "[INFO] OpenGL version: " << glString(GL_VERSION) << std::endl;
    std::cout << "[INFO] Swap interval: " << swapIntervalText(headless) << std::endl;
    std::cout << "[INFO] Samples: " << samplesInEffect() << std::endl;
    // The same tests that decide what the program uses: a function listed but not
    // loaded counts as missing.
    present("OpenGL 2.0 (shaders)", GLEW_VERSION_2_0);
    present("GL_ARB_separate_shader_objects (shaders)", cgGLGetLatestProfile(CG_GL_VERTEX) != CG_PROFILE_UNKNOWN);
    present("GL_EXT_texture_cube_map (sky box, reflection)", GLEW_EXT_texture_cube_map);
    present("GL_EXT_stencil_two_side and GL_EXT_stencil_wrap (shadow volumes)", twoSidedStencilSupported());
}
