#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "math/Matrix4.h"
#include "platform/cg/CgGL.h"
#include "platform/cg/CgRecords.h"
#include "support/Scratch.h"
#include "support/ExpectNear.h"
#include "support/GlContext.h"

namespace {

using Rgba = std::vector<unsigned char>;

// Red from a uniform, green through a built-in varying, blue through a user varying.
const char* kVertexSource =
    "#version 120\nuniform mat4 modelViewProj;\nvarying vec3 userColour;\nvoid main() {\n"
    "    gl_Position = modelViewProj * gl_Vertex;\n    gl_FrontColor = gl_Color;\n"
    "    gl_TexCoord[1] = vec4(0.0, 1.0, 0.0, 1.0);\n    userColour = vec3(0.0, 0.0, 1.0);\n}\n";
const char* kFragmentSource =
    "#version 120\nuniform float red;\nvarying vec3 userColour;\n"
    "void main() { gl_FragColor = vec4(red, gl_TexCoord[1].g, userColour.b, 1.0); }\n";

class CgPipeline : public testing::Test {
protected:
    GlContext gl{32, 32};
    CGcontext context = cgCreateContext();

    void TearDown() override { cgDestroyContext(context); }

    CGprogram load(const std::string& name, const char* source, CGprofile profile) {
        const std::string path = writeScratchFile(name, source);
        CGprogram program = cgCreateProgramFromFile(context, CG_SOURCE, path.c_str(), profile, "main", nullptr);
        cgGLLoadProgram(program);
        return program;
    }

    Rgba drawYellowQuad() {
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 0);
        glRectf(-1, -1, 1, 1);
        return gl.pixel(16, 16);
    }

    void expectClean() {
        CGerror error = CG_NO_ERROR;
        cgGetLastErrorString(&error);
        EXPECT_EQ(error, CG_NO_ERROR);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

TEST_F(CgPipeline, InverseTransposeStateMatrixUndoesTheModelView) {
    const CGprogram program = load("state.glsl", kVertexSource, CG_PROFILE_GLSLV);
    ASSERT_NE(program, nullptr);
    glTranslatef(1, 2, -5);
    glRotatef(30, 0, 1, 1);
    glScalef(2, 2, 2);
    Matrix4 modelView, read;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    cgGLSetStateMatrixParameter(cgGetNamedParameter(program, "modelViewProj"), CG_GL_MODELVIEW_MATRIX,
                                CG_GL_MATRIX_INVERSE_TRANSPOSE);
    glGetUniformfv(program->program, glGetUniformLocation(program->program, "modelViewProj"), read.data());
    read.transpose();
    expectNear(product(read, modelView), Matrix4());
    expectClean();
    cgDestroyProgram(program);
}

TEST_F(CgPipeline, EnabledStagesDrawAndDisabledOnesFallBackToFixedFunction) {
    const CGprogram vertex = load("pipeline_v.glsl", kVertexSource, CG_PROFILE_GLSLV);
    const CGprogram fragment = load("pipeline_f.glsl", kFragmentSource, CG_PROFILE_GLSLF);
    ASSERT_TRUE(vertex && fragment);
    cgGLEnableProfile(CG_PROFILE_GLSLV);
    cgGLBindProgram(vertex);
    cgGLEnableProfile(CG_PROFILE_GLSLF);
    cgGLBindProgram(fragment);
    cgGLSetStateMatrixParameter(cgGetNamedParameter(vertex, "modelViewProj"), CG_GL_MODELVIEW_PROJECTION_MATRIX,
                                CG_GL_MATRIX_IDENTITY);
    cgSetParameter1i(cgGetNamedParameter(fragment, "red"), 1);
    EXPECT_EQ(drawYellowQuad(), (Rgba{255, 255, 255, 255}));
    cgGLDisableProfile(CG_PROFILE_GLSLV);  // fragment stage over fixed-function vertices
    glMultiTexCoord4f(GL_TEXTURE1, 0, 0.5f, 0, 1);
    const Rgba fixedVertices = drawYellowQuad();
    EXPECT_EQ(fixedVertices[0], 255);
    EXPECT_NEAR(fixedVertices[1], 128, 2);
    cgGLDisableProfile(CG_PROFILE_GLSLF);
    EXPECT_EQ(glInteger(GL_PROGRAM_PIPELINE_BINDING), 0);
    EXPECT_EQ(drawYellowQuad(), (Rgba{255, 255, 0, 255}));
    cgGLEnableProfile(CG_PROFILE_GLSLV);  // the disabled fragment stage must not come back
    EXPECT_EQ(drawYellowQuad(), (Rgba{255, 255, 0, 255}));
    cgGLDisableProfile(CG_PROFILE_GLSLV);
    expectClean();
    cgDestroyProgram(vertex);
    cgDestroyProgram(fragment);
}

}  // namespace
