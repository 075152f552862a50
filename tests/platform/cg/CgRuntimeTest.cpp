#include <string>

#include <gtest/gtest.h>

#include "math/Matrix4.h"
#include "platform/cg/CgGL.h"
#include "platform/cg/CgRecords.h"
#include "platform/cg/GlslFiles.h"
#include "support/GlContext.h"

namespace {

CGerror takeError(std::string* text = nullptr) {
    CGerror error = CG_NO_ERROR;
    const char* message = cgGetLastErrorString(&error);
    if (text) *text = message;
    return error;
}

class CgRuntime : public testing::Test {
protected:
    GlContext gl{32, 32};
    CGcontext context = cgCreateContext();

    void SetUp() override { takeError(); }

    CGprogram compile(const std::string& name, const std::string& source, CGprofile profile) {
        const std::string path = writeGlslFile(name, source);
        return cgCreateProgramFromFile(context, CG_SOURCE, path.c_str(), profile, "main", nullptr);
    }
};

TEST_F(CgRuntime, OffersGlslProfilesOnlyWithSeparablePrograms) {
    EXPECT_EQ(cgGLGetLatestProfile(CG_GL_VERTEX), CG_PROFILE_GLSLV);
    EXPECT_EQ(cgGLGetLatestProfile(CG_GL_FRAGMENT), CG_PROFILE_GLSLF);
    const GLboolean extension = __GLEW_ARB_separate_shader_objects;
    const GLboolean core = __GLEW_VERSION_4_1;
    __GLEW_ARB_separate_shader_objects = GL_FALSE;
    __GLEW_VERSION_4_1 = GL_FALSE;
    const CGprofile without = cgGLGetLatestProfile(CG_GL_FRAGMENT);
    __GLEW_ARB_separate_shader_objects = extension;
    __GLEW_VERSION_4_1 = core;
    EXPECT_EQ(without, CG_PROFILE_UNKNOWN);
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    cgGLSetOptimalOptions(12345);
    EXPECT_EQ(takeError(), CG_INVALID_PROFILE_ERROR);
}

TEST_F(CgRuntime, CompileFailureKeepsErrorUntilReadAndListsTheLog) {
    const CGprogram program = compile("broken.glsl", "#version 120\nvoid main() { gl_FragColor = oops; }\n",
                                      CG_PROFILE_GLSLF);
    EXPECT_EQ(program, nullptr);
    cgGLSetOptimalOptions(CG_PROFILE_GLSLF);  // a later good call leaves the error in place
    std::string text;
    EXPECT_EQ(takeError(&text), CG_COMPILER_ERROR);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(std::string(cgGetLastListing(context)).find("oops"), std::string::npos);
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(CgRuntime, MissingFileIsAReadErrorNamingThePath) {
    const char* path = ZEN_TEST_TMP_DIR "/no-such-program.glsl";
    EXPECT_EQ(cgCreateProgramFromFile(context, CG_SOURCE, path, CG_PROFILE_GLSLV, "main", nullptr), nullptr);
    std::string text;
    EXPECT_EQ(takeError(&text), CG_FILE_READ_ERROR);
    EXPECT_NE(text.find(path), std::string::npos);
}

TEST_F(CgRuntime, NullAndForeignHandlesRaiseInvalidHandleErrors) {
    int foreign = 0;
    EXPECT_EQ(cgGetNamedParameter(nullptr, "x"), nullptr);
    EXPECT_EQ(takeError(), CG_INVALID_PROGRAM_HANDLE_ERROR);
    cgGLBindProgram(reinterpret_cast<CGprogram>(&foreign));
    EXPECT_EQ(takeError(), CG_INVALID_PROGRAM_HANDLE_ERROR);
    cgSetParameter1i(nullptr, 1);
    EXPECT_EQ(takeError(), CG_INVALID_PARAM_HANDLE_ERROR);
    cgGLSetParameter3fv(reinterpret_cast<CGparameter>(&foreign), nullptr);
    EXPECT_EQ(takeError(), CG_INVALID_PARAM_HANDLE_ERROR);
    EXPECT_EQ(cgCreateProgramFromFile(reinterpret_cast<CGcontext>(&foreign), CG_SOURCE, "x",
                                      CG_PROFILE_GLSLV, "main", nullptr),
              nullptr);
    EXPECT_EQ(takeError(), CG_INVALID_CONTEXT_HANDLE_ERROR);

    const CGprogram program = compile("handles.glsl", "#version 120\nuniform vec3 tint;\n"
                                      "void main() { gl_FragColor = vec4(tint, 1.0); }\n", CG_PROFILE_GLSLF);
    ASSERT_NE(program, nullptr);
    const CGparameter tint = cgGetNamedParameter(program, "tint");
    cgDestroyProgram(program);
    cgSetParameter3f(tint, 1, 2, 3);
    EXPECT_EQ(takeError(), CG_INVALID_PARAM_HANDLE_ERROR);
}

const char* kUniformSource =
    "#version 120\n"
    "uniform vec3 tint;\n"
    "uniform vec4 plane;\n"
    "uniform float level;\n"
    "uniform int count;\n"
    "uniform mat4 transform;\n"
    "uniform mat3 rotation;\n"
    "uniform vec3 unused;\n"
    "void main() {\n"
    "    gl_FragColor = vec4(tint * level * float(count), 1.0) + plane + transform[3]\n"
    "                 + vec4(rotation[2], 0.0);\n"
    "}\n";

TEST_F(CgRuntime, ValueSettersConvertToTheDeclaredType) {
    const CGprogram program = compile("uniforms.glsl", kUniformSource, CG_PROFILE_GLSLF);
    ASSERT_NE(program, nullptr);
    const GLuint id = program->program;
    const float tint[3] = {0.25f, 0.5f, 0.75f};
    cgGLSetParameter3fv(cgGetNamedParameter(program, "tint"), tint);
    cgSetParameter3f(cgGetNamedParameter(program, "plane"), 1, 2, 3);
    cgSetParameter1i(cgGetNamedParameter(program, "level"), 32);
    const float four[4] = {7.9f, 0, 0, 0};
    cgGLSetParameter4fv(cgGetNamedParameter(program, "count"), four);
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    float read[4] = {};
    glGetUniformfv(id, glGetUniformLocation(id, "tint"), read);
    EXPECT_FLOAT_EQ(read[2], 0.75f);
    glGetUniformfv(id, glGetUniformLocation(id, "plane"), read);
    EXPECT_FLOAT_EQ(read[1], 2.0f);
    EXPECT_FLOAT_EQ(read[3], 0.0f);
    glGetUniformfv(id, glGetUniformLocation(id, "level"), read);
    EXPECT_FLOAT_EQ(read[0], 32.0f);
    GLint count = 0;
    glGetUniformiv(id, glGetUniformLocation(id, "count"), &count);
    EXPECT_EQ(count, 7);
    cgDestroyProgram(program);
}

TEST_F(CgRuntime, DroppedUniformsResolveAndUnknownNamesDoNot) {
    const CGprogram program = compile("dropped.glsl", kUniformSource, CG_PROFILE_GLSLF);
    ASSERT_NE(program, nullptr);
    ASSERT_EQ(glGetUniformLocation(program->program, "unused"), -1);
    const CGparameter unused = cgGetNamedParameter(program, "unused");
    EXPECT_NE(unused, nullptr);
    cgSetParameter3f(unused, 1, 2, 3);
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    EXPECT_EQ(cgGetNamedParameter(program, "undeclared"), nullptr);
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    cgGLSetMatrixParameterfc(cgGetNamedParameter(program, "tint"), Matrix4().data());
    EXPECT_EQ(takeError(), CG_INVALID_PARAMETER_ERROR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    cgDestroyProgram(program);
}

TEST_F(CgRuntime, MatrixSettersWriteColumnMajorFloats) {
    const CGprogram program = compile("matrices.glsl", kUniformSource, CG_PROFILE_GLSLF);
    ASSERT_NE(program, nullptr);
    Matrix4 m;
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(i + 1);
    cgGLSetMatrixParameterfc(cgGetNamedParameter(program, "transform"), m.data());
    cgGLSetMatrixParameterfc(cgGetNamedParameter(program, "rotation"), m.data());
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    float read[16] = {};
    glGetUniformfv(program->program, glGetUniformLocation(program->program, "transform"), read);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(read[i], m[i]) << i;
    glGetUniformfv(program->program, glGetUniformLocation(program->program, "rotation"), read);
    EXPECT_FLOAT_EQ(read[3], m[4]);   // column 1, row 0
    EXPECT_FLOAT_EQ(read[8], m[10]);  // column 2, row 2
    cgDestroyProgram(program);
}

}  // namespace
