#include "shading/TextureFile.h"

#include <iostream>

#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

GLuint loadTextureFile(const std::string& path) {
    std::string name = path;  // DevIL takes a non-const string
    return ilutGLLoadImage(&name[0]);
}

bool reportImageError(const std::string& message) {
    const ILenum error = ilGetError();
    if (error == IL_NO_ERROR) return false;
    std::cerr << message << iluErrorString(error) << std::endl;
    return true;
}
