#pragma once

#include <string>

#include <GL/glew.h>

// Loads an image file into a new OpenGL texture through DevIL. The library's
// error, if any, stays pending for reportImageError.
GLuint loadTextureFile(const std::string& path);

// Writes `message` and DevIL's text for its pending error to standard error;
// true when there was one.
bool reportImageError(const std::string& message);
