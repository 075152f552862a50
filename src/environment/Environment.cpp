#include "environment/Environment.h"

#include "platform/cg/CgGL.h"
#include "shading/ParameterUploads.h"
#include "shading/ShaderProgram.h"

namespace {

void setStateMatrix(CGprogram program, const char* name, CGGLenum matrix, CGGLenum transform) {
    cgGLSetStateMatrixParameter(cgGetNamedParameter(program, name), matrix, transform);
}

// The matrices both pairs need, and the world-space eye, on the vertex program.
void setViewParameters(ShaderProgram& program, const Vector3& eye) {
    setModelViewProjection(program.vertexProgram);
    setStateMatrix(program.vertexProgram, "modelView", CG_GL_MODELVIEW_MATRIX, CG_GL_MATRIX_IDENTITY);
    setStateMatrix(program.vertexProgram, "modelViewIT", CG_GL_MODELVIEW_MATRIX, CG_GL_MATRIX_INVERSE_TRANSPOSE);
    cgSetParameter3f(cgGetNamedParameter(program.vertexProgram, "eyePosition"), eye.x, eye.y, eye.z);
}

}  // namespace

Environment::~Environment() {
    delete reflectionShader;
    delete bumpReflectionShader;
    if (cubeMapTexture != 0) glDeleteTextures(1, &cubeMapTexture);
}

void Environment::createShader() {
    ShaderProgram*& target = bumpReflection ? bumpReflectionShader : reflectionShader;
    target = new ShaderProgram(vertexShaderFile, fragmentShaderFile);
    target->setTextureParameter("cubeMap", cubeMapTexture);
}

// The pair's samplers in their fixed order: "normalMap" (bump pair only), "decal", "cubeMap".
void Environment::toggleTextures(bool bump, void (ShaderProgram::*toggle)(const char*)) {
    ShaderProgram& pair = bump ? *bumpReflectionShader : *reflectionShader;
    if (bump) (pair.*toggle)("normalMap");
    (pair.*toggle)("decal");
    (pair.*toggle)("cubeMap");
}

void Environment::enableTextures(bool bump) { toggleTextures(bump, &ShaderProgram::enableTextureParameter); }

void Environment::disableTextures(bool bump) { toggleTextures(bump, &ShaderProgram::disableTextureParameter); }

void Environment::setReflectionParameters(const Light& light, const Vector3& eye, const Matrix4& model) {
    if (!bumpReflection) {
        setViewParameters(*reflectionShader, eye);
        return;
    }
    ShaderProgram& program = *bumpReflectionShader;
    // Light and eye in world space, unlike the bump upload: these programs reach object space through "model".
    setVector3(program.fragmentProgram, "lightPosition", &light.position.x);
    setVector3(program.fragmentProgram, "eyePosition", &eye.x);
    setLightCoefficients(program.fragmentProgram, light);
    program.setVertexMatrixParameter("model", model);
    program.setFragmentMatrixParameter("model", model);
    setViewParameters(program, eye);
}
