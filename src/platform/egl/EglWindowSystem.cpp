#include "platform/egl/EglWindowSystem.h"

#include "platform/egl/SolidCube.h"

namespace {

void nothing() {}
void noText(const char*) {}

}  // namespace

// GLEW finds the context's OpenGL functions but, with no GLX display current, none of GLX's.
const WindowSystem kEglWindowSystem = {"EGL", false, nothing, nothing, nothing, nothing, noText, drawSolidCube};
