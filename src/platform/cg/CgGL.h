#pragma once

#include <GL/glew.h>

#include "platform/cg/Cg.h"

// The shader runtime's OpenGL binding: profiles, loading, binding and parameter setters.

typedef int CGGLenum;

enum : CGGLenum {
    CG_GL_MATRIX_IDENTITY = 0,
    CG_GL_MATRIX_TRANSPOSE = 1,
    CG_GL_MATRIX_INVERSE = 2,
    CG_GL_MATRIX_INVERSE_TRANSPOSE = 3,
    CG_GL_MODELVIEW_MATRIX = 4,
    CG_GL_PROJECTION_MATRIX = 5,
    CG_GL_TEXTURE_MATRIX = 6,
    CG_GL_MODELVIEW_PROJECTION_MATRIX = 7,
    CG_GL_VERTEX = 8,
    CG_GL_FRAGMENT = 9,
};

CGprofile cgGLGetLatestProfile(CGGLenum profileType);
void cgGLSetOptimalOptions(CGprofile profile);
void cgGLLoadProgram(CGprogram program);
void cgGLEnableProfile(CGprofile profile);
void cgGLDisableProfile(CGprofile profile);
void cgGLBindProgram(CGprogram program);

void cgGLSetTextureParameter(CGparameter parameter, GLuint texture);
void cgGLEnableTextureParameter(CGparameter parameter);
void cgGLDisableTextureParameter(CGparameter parameter);
void cgGLSetMatrixParameterfc(CGparameter parameter, const float* columnMajor);
void cgGLSetStateMatrixParameter(CGparameter parameter, CGGLenum matrix, CGGLenum transform);
void cgGLSetParameter3fv(CGparameter parameter, const float* values);
void cgGLSetParameter4fv(CGparameter parameter, const float* values);
