#pragma once

#include <string>

#include <GL/glew.h>

// An OpenGL string such as GL_RENDERER, or "" when there is none.
std::string glString(GLenum name);

// --info: the OpenGL vendor, renderer and version, and whether each extension
// the program uses is present. Needs GLEW initialised.
void printGlInfo();
