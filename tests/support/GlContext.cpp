#include "support/GlContext.h"

#include <cstdio>
#include <cstdlib>

#include <GL/freeglut.h>

namespace {

void initialiseGlutOnce() {
    static bool initialised = false;
    if (initialised) return;
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    initialised = true;
}

}  // namespace

GlContext::GlContext(int width_, int height_) : width(width_), height(height_) {
    initialiseGlutOnce();
    glutInitWindowSize(width, height);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH | GLUT_STENCIL);
    window = glutCreateWindow("test context");
    glewExperimental = GL_TRUE;
    const GLenum status = glewInit();
    if (status != GLEW_OK) {
        std::fprintf(stderr, "glewInit failed: %s\n", glewGetErrorString(status));
        std::abort();
    }
    glGetError();  // GLEW may leave an enum error behind
    glViewport(0, 0, width, height);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
}

GlContext::~GlContext() {
    if (window) glutDestroyWindow(window);
}

std::vector<unsigned char> GlContext::readPixels() const {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<unsigned char> GlContext::pixel(int x, int y) const {
    std::vector<unsigned char> rgba(4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::vector<unsigned char> GlContext::readStencil() const {
    std::vector<unsigned char> values(static_cast<size_t>(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, values.data());
    return values;
}

GLint glInteger(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}
