#include "shading/TextureFile.h"

#include <iostream>

#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "platform/image/ImageFileCheck.h"
#include "platform/os/OutOfMemory.h"

// Exported by libIL though its header does not declare it.
extern "C" void ILAPIENTRY ilSetError(ILenum error);

namespace {

// The check refused the last file: its "out of memory" is a decoded size over
// the limit, where DevIL's own is the memory's.
bool lastFileRefused = false;

// True when DevIL may read the file; otherwise its error goes on DevIL's stack.
bool passesImageCheck(const std::string& path) {
    const ILenum error = checkImageFile(path);
    lastFileRefused = error != IL_NO_ERROR;
    if (error == IL_NO_ERROR) return true;
    ilSetError(error);
    return false;
}

}  // namespace

GLuint loadTextureFile(const std::string& path) {
    if (!passesImageCheck(path)) return 0;
    std::string name = path;  // DevIL takes a non-const string
    return ilutGLLoadImage(&name[0]);
}

GLuint loadTextureReportingErrors(const std::string& path, const std::string& errorMessage) {
    const GLuint texture = loadTextureFile(path);
    reportImageError(errorMessage);
    return texture;
}

GLuint loadTextureReportingErrors(const std::string& path) {
    return loadTextureReportingErrors(path, "[ERROR] Could not load texture " + path + ": ");
}

bool loadImageFile(const std::string& path) {
    return passesImageCheck(path) && ilLoadImage(path.c_str()) == IL_TRUE;
}

bool reportImageError(const std::string& message) {
    const ILenum error = ilGetError();
    if (error == IL_NO_ERROR) return false;
    if (error == IL_OUT_OF_MEMORY && !lastFileRefused) endOutOfMemory();
    std::cerr << message << iluErrorString(error) << std::endl;
    clearImageErrors();
    return true;
}

void clearImageErrors() {
    while (ilGetError() != IL_NO_ERROR) {
    }
}
