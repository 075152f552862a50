#include <algorithm>

#include "math/Matrix4.h"
#include "platform/cg/CgGL.h"
#include "platform/cg/CgRecords.h"

// Value setters convert to the uniform's declared type and write it with
// glProgramUniform*, so no program has to be current. A uniform the compiler
// dropped has location -1 and every write to it is a silent no-op.

namespace {

bool requireKind(CGparameter parameter, bool matrix, bool sampler) {
    const UniformKind kind = parameter->type.kind;
    const bool isMatrix = kind == UniformKind::Matrix;
    const bool isSampler = kind == UniformKind::Sampler;
    if (isMatrix == matrix && isSampler == sampler) return true;
    const char* wanted = matrix ? "a matrix" : sampler ? "a sampler" : "a numeric";
    setCgError(CG_INVALID_PARAMETER_ERROR,
               "Parameter \"" + parameter->name + "\" is not " + wanted + " parameter.");
    return false;
}

void writeFloats(const CgParameterRecord& parameter, const float* values) {
    const GLuint program = parameter.program->program;
    switch (parameter.type.components) {
        case 1: glProgramUniform1fv(program, parameter.location, 1, values); break;
        case 2: glProgramUniform2fv(program, parameter.location, 1, values); break;
        case 3: glProgramUniform3fv(program, parameter.location, 1, values); break;
        default: glProgramUniform4fv(program, parameter.location, 1, values); break;
    }
}

void writeInts(const CgParameterRecord& parameter, const GLint* values) {
    const GLuint program = parameter.program->program;
    switch (parameter.type.components) {
        case 1: glProgramUniform1iv(program, parameter.location, 1, values); break;
        case 2: glProgramUniform2iv(program, parameter.location, 1, values); break;
        case 3: glProgramUniform3iv(program, parameter.location, 1, values); break;
        default: glProgramUniform4iv(program, parameter.location, 1, values); break;
    }
}

// Up to four values; the declared vector takes the first components, the rest are 0.
void setNumeric(CGparameter parameter, const float* values, int count) {
    if (!validParameter(parameter) || !requireKind(parameter, false, false)) return;
    if (parameter->location < 0) return;
    float floats[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    std::copy(values, values + std::min(count, 4), floats);
    if (parameter->type.kind == UniformKind::Float) {
        writeFloats(*parameter, floats);
        return;
    }
    GLint ints[4];
    for (int i = 0; i < 4; ++i) {
        ints[i] = parameter->type.kind == UniformKind::Bool ? floats[i] != 0.0f : static_cast<GLint>(floats[i]);
    }
    writeInts(*parameter, ints);
}

void setMatrix(CGparameter parameter, const float* columnMajor) {
    const GLuint program = parameter->program->program;
    const GLint location = parameter->location;
    if (location < 0) return;
    const int size = parameter->type.components;
    if (size == 4) {
        glProgramUniformMatrix4fv(program, location, 1, GL_FALSE, columnMajor);
        return;
    }
    float corner[9];
    for (int column = 0; column < size; ++column) {
        for (int row = 0; row < size; ++row) corner[size * column + row] = columnMajor[4 * column + row];
    }
    if (size == 3) glProgramUniformMatrix3fv(program, location, 1, GL_FALSE, corner);
    else glProgramUniformMatrix2fv(program, location, 1, GL_FALSE, corner);
}

Matrix4 currentGlMatrix(GLenum which) {
    Matrix4 m;
    glGetFloatv(which, m.data());
    return m;
}

bool stateMatrix(CGGLenum matrix, Matrix4& m) {
    switch (matrix) {
        case CG_GL_MODELVIEW_MATRIX: m = currentGlMatrix(GL_MODELVIEW_MATRIX); return true;
        case CG_GL_PROJECTION_MATRIX: m = currentGlMatrix(GL_PROJECTION_MATRIX); return true;
        case CG_GL_TEXTURE_MATRIX: m = currentGlMatrix(GL_TEXTURE_MATRIX); return true;
        case CG_GL_MODELVIEW_PROJECTION_MATRIX:
            m = product(currentGlMatrix(GL_PROJECTION_MATRIX), currentGlMatrix(GL_MODELVIEW_MATRIX));
            return true;
    }
    return false;
}

bool applyTransform(CGGLenum transform, Matrix4& m) {
    switch (transform) {
        case CG_GL_MATRIX_IDENTITY: return true;
        case CG_GL_MATRIX_TRANSPOSE: m.transpose(); return true;
        case CG_GL_MATRIX_INVERSE: m.invert(); return true;
        case CG_GL_MATRIX_INVERSE_TRANSPOSE: m.invert(); m.transpose(); return true;
    }
    return false;
}

void bindSamplerTexture(const CgParameterRecord& parameter, GLuint texture) {
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(parameter.textureUnit));
    glBindTexture(parameter.type.samplerTarget, texture);
    glActiveTexture(GL_TEXTURE0);
}

}  // namespace

void cgSetParameter3f(CGparameter parameter, float x, float y, float z) {
    const float values[3] = {x, y, z};
    setNumeric(parameter, values, 3);
}

void cgSetParameter1i(CGparameter parameter, int value) {
    if (!validParameter(parameter) || !requireKind(parameter, false, false)) return;
    if (parameter->location < 0) return;
    if (parameter->type.kind == UniformKind::Float) {
        const float values[4] = {static_cast<float>(value), 0.0f, 0.0f, 0.0f};
        writeFloats(*parameter, values);
        return;
    }
    const GLint ints[4] = {parameter->type.kind == UniformKind::Bool ? value != 0 : value, 0, 0, 0};
    writeInts(*parameter, ints);
}

void cgGLSetParameter3fv(CGparameter parameter, const float* values) { setNumeric(parameter, values, 3); }

void cgGLSetParameter4fv(CGparameter parameter, const float* values) { setNumeric(parameter, values, 4); }

void cgGLSetMatrixParameterfc(CGparameter parameter, const float* columnMajor) {
    if (!validParameter(parameter) || !requireKind(parameter, true, false)) return;
    setMatrix(parameter, columnMajor);
}

void cgGLSetStateMatrixParameter(CGparameter parameter, CGGLenum matrix, CGGLenum transform) {
    if (!validParameter(parameter) || !requireKind(parameter, true, false)) return;
    Matrix4 m;
    if (!stateMatrix(matrix, m) || !applyTransform(transform, m)) {
        setCgError(CG_INVALID_PARAMETER_ERROR, "Unknown state matrix or transform.");
        return;
    }
    setMatrix(parameter, m.data());
}

void cgGLSetTextureParameter(CGparameter parameter, GLuint texture) {
    if (!validParameter(parameter) || !requireKind(parameter, false, true)) return;
    parameter->texture = texture;
}

void cgGLEnableTextureParameter(CGparameter parameter) {
    if (!validParameter(parameter) || !requireKind(parameter, false, true)) return;
    bindSamplerTexture(*parameter, parameter->texture);
}

void cgGLDisableTextureParameter(CGparameter parameter) {
    if (!validParameter(parameter) || !requireKind(parameter, false, true)) return;
    bindSamplerTexture(*parameter, 0);
}
