#include "shading/ParameterUploads.h"

#include "app/Light.h"
#include "platform/cg/CgGL.h"

void setVector3(CGprogram program, const char* name, const float* values) {
    cgGLSetParameter3fv(cgGetNamedParameter(program, name), values);
}

void setModelViewProjection(CGprogram vertexProgram) {
    cgGLSetStateMatrixParameter(cgGetNamedParameter(vertexProgram, "modelViewProj"),
                                CG_GL_MODELVIEW_PROJECTION_MATRIX, CG_GL_MATRIX_IDENTITY);
}

void setLightCoefficients(CGprogram fragmentProgram, const Light& light) {
    setVector3(fragmentProgram, "diffuseCoeff", light.diffuse.data());
    setVector3(fragmentProgram, "specularCoeff", light.specular.data());
    cgSetParameter1i(cgGetNamedParameter(fragmentProgram, "shininess"), static_cast<int>(light.shininess));
}
