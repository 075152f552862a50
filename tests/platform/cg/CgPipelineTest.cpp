#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "math/Matrix4.h"
#include "platform/cg/CgGL.h"
#include "platform/cg/CgRecords.h"
#include "platform/cg/GlslFiles.h"
#include "support/GlContext.h"

namespace {

CGerror takeError() {
    CGerror error = CG_NO_ERROR;
    cgGetLastErrorString(&error);
    return error;
}

const char* kVertexSource =
    "#version 120\n"
    "uniform mat4 modelViewProj;\n"
    "varying vec3 userColour;\n"
    "void main() {\n"
    "    gl_Position = modelViewProj * gl_Vertex;\n"
    "    gl_FrontColor = gl_Color;\n"
    "    gl_TexCoord[1] = vec4(0.0, 1.0, 0.0, 1.0);\n"
    "    userColour = vec3(0.0, 0.0, 1.0);\n"
    "}\n";

// Red from a uniform, green from a built-in varying, blue from a user varying.
const char* kFragmentSource =
    "#version 120\n"
    "uniform float red;\n"
    "varying vec3 userColour;\n"
    "void main() { gl_FragColor = vec4(red, gl_TexCoord[1].g, userColour.b, 1.0); }\n";

const char* kSamplerSource =
    "#version 120\n"
    "uniform sampler2D first;\n"
    "uniform samplerCube second;\n"
    "uniform sampler2D third;\n"
    "void main() {\n"
    "    gl_FragColor = texture2D(first, vec2(0.5)) + textureCube(second, vec3(1.0))\n"
    "                 + texture2D(third, vec2(0.5));\n"
    "}\n";

class CgPipeline : public testing::Test {
protected:
    GlContext gl{32, 32};
    CGcontext context = cgCreateContext();

    void SetUp() override {
        takeError();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    CGprogram load(const std::string& name, const char* source, CGprofile profile) {
        const std::string path = writeGlslFile(name, source);
        CGprogram program = cgCreateProgramFromFile(context, CG_SOURCE, path.c_str(), profile, "main", nullptr);
        cgGLLoadProgram(program);
        return program;
    }

    void drawFullQuad() {
        glColor3f(1, 1, 0);
        glRecti(-1, -1, 1, 1);
    }
};

TEST_F(CgPipeline, StateMatricesFollowTheCurrentGlMatrices) {
    const CGprogram program = load("state.glsl", kVertexSource, CG_PROFILE_GLSLV);
    ASSERT_NE(program, nullptr);
    const GLint location = glGetUniformLocation(program->program, "modelViewProj");
    glMatrixMode(GL_PROJECTION);
    glFrustum(-1, 1, -1, 1, 1, 50);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, -5);
    glRotatef(30, 0, 1, 1);
    glScalef(2, 2, 2);

    Matrix4 expected;  // GL itself forms projection * modelview
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    Matrix4 modelView;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    glMultMatrixf(modelView.data());
    glGetFloatv(GL_PROJECTION_MATRIX, expected.data());
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    const CGparameter parameter = cgGetNamedParameter(program, "modelViewProj");
    cgGLSetStateMatrixParameter(parameter, CG_GL_MODELVIEW_PROJECTION_MATRIX, CG_GL_MATRIX_IDENTITY);
    Matrix4 read;
    glGetUniformfv(program->program, location, read.data());
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(read[i], expected[i], 1e-5f) << i;

    cgGLSetStateMatrixParameter(parameter, CG_GL_MODELVIEW_MATRIX, CG_GL_MATRIX_TRANSPOSE);
    glGetUniformfv(program->program, location, read.data());
    EXPECT_FLOAT_EQ(read.at(3, 0), modelView.at(0, 3));

    cgGLSetStateMatrixParameter(parameter, CG_GL_MODELVIEW_MATRIX, CG_GL_MATRIX_INVERSE);
    glGetUniformfv(program->program, location, read.data());
    const Matrix4 identity = product(modelView, read);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(identity[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-5f) << i;

    cgGLSetStateMatrixParameter(parameter, CG_GL_MODELVIEW_MATRIX, CG_GL_MATRIX_INVERSE_TRANSPOSE);
    glGetUniformfv(program->program, location, read.data());
    read.transpose();
    const Matrix4 again = product(read, modelView);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(again[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-5f) << i;
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    cgDestroyProgram(program);
}

TEST_F(CgPipeline, SamplersTakeUnitsInDeclarationOrderAndBindTheirTextures) {
    const CGprogram program = load("samplers.glsl", kSamplerSource, CG_PROFILE_GLSLF);
    ASSERT_NE(program, nullptr);
    const char* names[3] = {"first", "second", "third"};
    for (GLint unit = 0; unit < 3; ++unit) {
        GLint read = -1;
        glGetUniformiv(program->program, glGetUniformLocation(program->program, names[unit]), &read);
        EXPECT_EQ(read, unit) << names[unit];
    }
    GLuint textures[2];
    glGenTextures(2, textures);
    glBindTexture(GL_TEXTURE_CUBE_MAP, textures[0]);
    glBindTexture(GL_TEXTURE_2D, textures[1]);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    const CGparameter second = cgGetNamedParameter(program, "second");
    const CGparameter third = cgGetNamedParameter(program, "third");
    cgGLSetTextureParameter(second, textures[0]);
    cgGLSetTextureParameter(third, textures[1]);
    cgGLEnableTextureParameter(second);
    cgGLEnableTextureParameter(third);

    GLint bound = 0;
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0);
    glActiveTexture(GL_TEXTURE1);
    glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), textures[0]);
    glActiveTexture(GL_TEXTURE2);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), textures[1]);

    cgGLDisableTextureParameter(third);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    glActiveTexture(GL_TEXTURE0);
    const float values[3] = {1, 2, 3};
    cgGLSetParameter3fv(third, values);
    EXPECT_EQ(takeError(), CG_INVALID_PARAMETER_ERROR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(2, textures);
    cgDestroyProgram(program);
}

TEST_F(CgPipeline, EnabledStagesDrawAndDisablingBothResumesFixedFunction) {
    const CGprogram vertex = load("pipeline_v.glsl", kVertexSource, CG_PROFILE_GLSLV);
    const CGprogram fragment = load("pipeline_f.glsl", kFragmentSource, CG_PROFILE_GLSLF);
    ASSERT_NE(vertex, nullptr);
    ASSERT_NE(fragment, nullptr);
    cgGLEnableProfile(CG_PROFILE_GLSLV);
    cgGLBindProgram(vertex);
    cgGLEnableProfile(CG_PROFILE_GLSLF);
    cgGLBindProgram(fragment);
    cgGLSetStateMatrixParameter(cgGetNamedParameter(vertex, "modelViewProj"), CG_GL_MODELVIEW_PROJECTION_MATRIX,
                                CG_GL_MATRIX_IDENTITY);
    cgSetParameter1i(cgGetNamedParameter(fragment, "red"), 1);
    drawFullQuad();
    EXPECT_EQ(gl.pixel(16, 16), (std::vector<unsigned char>{255, 255, 255, 255}));

    cgGLDisableProfile(CG_PROFILE_GLSLV);  // fragment stage alone: fixed-function vertices
    glClear(GL_COLOR_BUFFER_BIT);
    cgSetParameter1i(cgGetNamedParameter(fragment, "red"), 0);
    glRectf(-1, -1, 0, 0);
    EXPECT_EQ(gl.pixel(4, 4)[0], 0);
    EXPECT_EQ(gl.pixel(28, 28), (std::vector<unsigned char>{0, 0, 0, 255}));

    cgGLDisableProfile(CG_PROFILE_GLSLF);
    GLint pipeline = -1;
    glGetIntegerv(GL_PROGRAM_PIPELINE_BINDING, &pipeline);
    EXPECT_EQ(pipeline, 0);
    drawFullQuad();
    EXPECT_EQ(gl.pixel(16, 16), (std::vector<unsigned char>{255, 255, 0, 255}));
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    cgDestroyProgram(vertex);
    cgDestroyProgram(fragment);
}

TEST_F(CgPipeline, ReenablingOneStageLeavesNoStaleProgramInTheOther) {
    const CGprogram fragment = load("stale_f.glsl", kFragmentSource, CG_PROFILE_GLSLF);
    ASSERT_NE(fragment, nullptr);
    cgGLEnableProfile(CG_PROFILE_GLSLF);
    cgGLBindProgram(fragment);
    cgGLDisableProfile(CG_PROFILE_GLSLF);
    const CGprogram vertex = load("stale_v.glsl", kVertexSource, CG_PROFILE_GLSLV);
    ASSERT_NE(vertex, nullptr);
    cgGLEnableProfile(CG_PROFILE_GLSLV);
    cgGLBindProgram(vertex);
    cgGLSetStateMatrixParameter(cgGetNamedParameter(vertex, "modelViewProj"), CG_GL_MODELVIEW_PROJECTION_MATRIX,
                                CG_GL_MATRIX_IDENTITY);
    drawFullQuad();  // fixed-function fragments take the vertex colour, yellow
    EXPECT_EQ(gl.pixel(16, 16), (std::vector<unsigned char>{255, 255, 0, 255}));
    cgGLDisableProfile(CG_PROFILE_GLSLV);
    cgDestroyProgram(vertex);
    cgDestroyProgram(fragment);
    EXPECT_EQ(takeError(), CG_NO_ERROR);
}

}  // namespace
