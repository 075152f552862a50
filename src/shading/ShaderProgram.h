#pragma once

#include <string>

#include <GL/glew.h>

#include "math/Matrix4.h"
#include "platform/cg/Cg.h"

// A vertex and fragment program pair compiled from two source files.
class ShaderProgram {
public:
    CGprofile vertexProfile = CG_PROFILE_UNKNOWN;
    CGprofile fragmentProfile = CG_PROFILE_UNKNOWN;
    CGprogram vertexProgram = nullptr;
    CGprogram fragmentProgram = nullptr;
    std::string fragmentFile;
    std::string vertexFile;
    bool vertexLoaded = false;
    bool fragmentLoaded = false;

    // An empty path leaves that stage out.
    ShaderProgram(const std::string& vertexFile, const std::string& fragmentFile);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    void loadVertexProgram(const std::string& file);
    void loadFragmentProgram(const std::string& file);

    void bind();
    void unbind();

    // Samplers are always looked up in the fragment program.
    void setTextureParameter(const char* name, GLuint texture);
    void enableTextureParameter(const char* name);
    void disableTextureParameter(const char* name);

    void setVertexMatrixParameter(const char* name, const Matrix4& matrix);
    void setFragmentMatrixParameter(const char* name, const Matrix4& matrix);
};
