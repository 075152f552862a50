#pragma once

#include <string>

#include <GL/glew.h>

struct EglContext;

// An OpenGL string such as GL_RENDERER, or "" when there is none.
std::string glString(GLenum name);

// Samples a pixel of the framebuffer being drawn: 1 without multisampling.
int samplesInEffect();
// The swap interval in effect as text: "0", "1", ... or "unknown".
std::string swapIntervalText();

// The swap interval in effect as text; "none" for a headless run, which never swaps.
std::string swapIntervalText(const EglContext* headless);

// --info: the OpenGL vendor, renderer and version, the swap interval and the
// samples in effect, and whether each extension the program uses is present;
// for a headless run, where its EGL context came from. Needs GLEW initialised.
void printGlInfo(const EglContext* headless);
