#pragma once

#include <string>

#include <GL/glew.h>

// Every image load of the program goes through these two, which first check the
// file with checkImageFile. A refused file is not handed to DevIL: its error is
// put on DevIL's error stack like the library's own.

// Loads an image file into a new OpenGL texture through ilutGLLoadImage; 0 when
// the file is refused. The error, if any, stays pending for reportImageError.
GLuint loadTextureFile(const std::string& path);

// loadTextureFile, then reportImageError(errorMessage): the load's error line, if
// any, goes to standard error. The texture name (0 when refused) is returned either way.
GLuint loadTextureReportingErrors(const std::string& path, const std::string& errorMessage);
// The same with the message "[ERROR] Could not load texture <path>: ".
GLuint loadTextureReportingErrors(const std::string& path);

// Loads an image file into DevIL's bound image through ilLoadImage; false when it
// failed or the file was refused, with the error pending.
bool loadImageFile(const std::string& path);

// Writes `message` and DevIL's text for its pending error to standard error,
// then clears the rest of the error stack; true when there was an error. DevIL
// out of memory on a file the check let through ends the process
// (platform/os/OutOfMemory.h).
bool reportImageError(const std::string& message);

// Clears DevIL's error stack, so that no later check reports an earlier load.
void clearImageErrors();
