#pragma once

#include <vector>

#include <GL/glew.h>

// A real OpenGL context in a freeglut window of the test's X server, with
// colour, alpha, depth and stencil buffers and GLEW initialised. Draw into the
// back buffer and read it back with readPixels.
class GlContext {
public:
    explicit GlContext(int width = 128, int height = 128);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    int width;
    int height;
    int window = 0;

    // RGBA bytes of the back buffer, bottom row first.
    std::vector<unsigned char> readPixels() const;
    // RGBA of one back-buffer pixel (x from the left, y from the bottom).
    std::vector<unsigned char> pixel(int x, int y) const;
    // Stencil values of the back buffer, bottom row first.
    std::vector<unsigned char> readStencil() const;
};

// One integer of OpenGL state, e.g. GL_MATRIX_MODE.
GLint glInteger(GLenum name);

// Leaves one of GLEW's entry points null for its scope, as GLEW leaves those of
// an extension the driver does not list, whatever version the driver reports.
//
//     MissingEntryPoint<PFNGLACTIVESTENCILFACEEXTPROC> missing(__glewActiveStencilFaceEXT);
template <typename Function>
class MissingEntryPoint {
public:
    explicit MissingEntryPoint(Function& entryPoint) : pointer(entryPoint), loaded(entryPoint) { pointer = nullptr; }
    ~MissingEntryPoint() { pointer = loaded; }
    MissingEntryPoint(const MissingEntryPoint&) = delete;
    MissingEntryPoint& operator=(const MissingEntryPoint&) = delete;

private:
    Function& pointer;
    Function loaded;
};
