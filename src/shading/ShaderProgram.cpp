#include "shading/ShaderProgram.h"

#include <cstdio>

#include "platform/cg/CgGL.h"
#include "shading/CheckCgError.h"
#include "shading/ShaderContext.h"

ShaderProgram::ShaderProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    if (vertexPath.empty()) {
        std::printf("Error: Couldn't load vertex program: %s\n", vertexPath.c_str());
    } else {
        vertexFile = vertexPath;
        loadVertexProgram(vertexFile);
    }
    if (fragmentPath.empty()) {
        std::printf("Error: Couldn't load fragment program: %s\n", fragmentPath.c_str());
    } else {
        fragmentFile = fragmentPath;
        loadFragmentProgram(fragmentFile);
    }
}

ShaderProgram::~ShaderProgram() {
    if (vertexProgram) cgDestroyProgram(vertexProgram);
    if (fragmentProgram) cgDestroyProgram(fragmentProgram);
}

namespace {

// One stage of the pair: profile, program from the file, loaded; every step checked.
CGprogram loadStage(CGGLenum stage, const std::string& file, CGprofile& profile, const char* selecting,
                    const char* loading) {
    profile = cgGLGetLatestProfile(stage);
    cgGLSetOptimalOptions(profile);
    checkCgError(selecting);
    CGprogram program =
        cgCreateProgramFromFile(ShaderContext::instance().context, CG_SOURCE, file.c_str(), profile, "main", nullptr);
    checkCgError(file.c_str());
    cgGLLoadProgram(program);
    checkCgError(loading);
    return program;
}

}  // namespace

void ShaderProgram::loadVertexProgram(const std::string& file) {
    vertexProgram = loadStage(CG_GL_VERTEX, file, vertexProfile, "selecting vertex profile", "loading vertex program");
    vertexLoaded = true;
}

void ShaderProgram::loadFragmentProgram(const std::string& file) {
    fragmentProgram =
        loadStage(CG_GL_FRAGMENT, file, fragmentProfile, "selecting fragment profile", "loading fragment program");
    fragmentLoaded = true;
}

void ShaderProgram::bind() {
    if (vertexLoaded) {
        cgGLEnableProfile(vertexProfile);
        checkCgError("enabling vertex profile");
        cgGLBindProgram(vertexProgram);
        checkCgError("binding vertex program");
    }
    if (fragmentLoaded) {
        cgGLEnableProfile(fragmentProfile);
        checkCgError("enabling fragment profile");
        cgGLBindProgram(fragmentProgram);
        checkCgError("binding fragment program");
    }
}

void ShaderProgram::unbind() {
    if (vertexLoaded) cgGLDisableProfile(vertexProfile);
    checkCgError("disabling vertex profile");
    if (fragmentLoaded) cgGLDisableProfile(fragmentProfile);
    checkCgError("disabling fragment profile");
}

void ShaderProgram::setTextureParameter(const char* name, GLuint texture) {
    CGparameter parameter = cgGetNamedParameter(fragmentProgram, name);
    checkCgError(name);
    cgGLSetTextureParameter(parameter, texture);
    checkCgError("setting texture parameter");
}

void ShaderProgram::enableTextureParameter(const char* name) {
    CGparameter parameter = cgGetNamedParameter(fragmentProgram, name);
    checkCgError(name);
    cgGLEnableTextureParameter(parameter);
    checkCgError("enable texture parameter");
}

void ShaderProgram::disableTextureParameter(const char* name) {
    CGparameter parameter = cgGetNamedParameter(fragmentProgram, name);
    checkCgError(name);
    cgGLDisableTextureParameter(parameter);
    checkCgError("disable texture parameter");
}

void ShaderProgram::setVertexMatrixParameter(const char* name, const Matrix4& matrix) {
    CGparameter parameter = cgGetNamedParameter(vertexProgram, name);
    checkCgError("VS: getting matrix parameter");
    cgGLSetMatrixParameterfc(parameter, matrix.data());
    checkCgError("VS: setting matrix parameter");
}

void ShaderProgram::setFragmentMatrixParameter(const char* name, const Matrix4& matrix) {
    CGparameter parameter = cgGetNamedParameter(fragmentProgram, name);
    checkCgError("FS: getting matrix parameter");
    cgGLSetMatrixParameterfc(parameter, matrix.data());
    checkCgError("FS: setting matrix parameter");
}
