#include <string>

#include <gtest/gtest.h>

#include "math/Matrix4.h"
#include "platform/cg/CgGL.h"
#include "platform/cg/CgRecords.h"
#include "support/Scratch.h"
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
    void TearDown() override { cgDestroyContext(context); }

    CGprogram compile(const std::string& name, const std::string& source) {
        const std::string path = writeScratchFile(name, source);
        return cgCreateProgramFromFile(context, CG_SOURCE, path.c_str(), CG_PROFILE_GLSLF, "main", nullptr);
    }
};

// GLEW loads the separable-program functions only for a driver that lists
// ARB_separate_shader_objects, not for one that merely reports OpenGL 4.1.
TEST_F(CgRuntime, ProfilesNeedTheSeparableProgramEntryPointsLoaded) {
    EXPECT_EQ(cgGLGetLatestProfile(CG_GL_VERTEX), CG_PROFILE_GLSLV);
    EXPECT_EQ(cgGLGetLatestProfile(CG_GL_FRAGMENT), CG_PROFILE_GLSLF);
    {
        MissingEntryPoint<PFNGLCREATESHADERPROGRAMVPROC> missing(__glewCreateShaderProgramv);
        EXPECT_EQ(cgGLGetLatestProfile(CG_GL_VERTEX), CG_PROFILE_UNKNOWN);
        EXPECT_EQ(compile("fragment.glsl", "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n"), nullptr);
        EXPECT_EQ(takeError(), CG_INVALID_PROFILE_ERROR);
    }
    MissingEntryPoint<PFNGLUSEPROGRAMSTAGESPROC> missing(__glewUseProgramStages);
    EXPECT_EQ(cgGLGetLatestProfile(CG_GL_FRAGMENT), CG_PROFILE_UNKNOWN);
    cgGLEnableProfile(CG_PROFILE_GLSLF);
    EXPECT_EQ(takeError(), CG_INVALID_PROFILE_ERROR);
}

TEST_F(CgRuntime, ErrorsStayUntilReadAndNameTheirCause) {
    EXPECT_EQ(compile("broken.glsl", "#version 120\nvoid main() { gl_FragColor = oops; }\n"), nullptr);
    cgGLSetOptimalOptions(CG_PROFILE_GLSLF);  // a later good call keeps the error
    EXPECT_EQ(takeError(), CG_COMPILER_ERROR);
    EXPECT_NE(std::string(cgGetLastListing(context)).find("oops"), std::string::npos);
    EXPECT_EQ(takeError(), CG_NO_ERROR);

    const std::string missing = scratchPath("no-such-program.glsl");
    EXPECT_EQ(cgCreateProgramFromFile(context, CG_SOURCE, missing.c_str(), CG_PROFILE_GLSLV, "main", nullptr), nullptr);
    std::string text;
    EXPECT_EQ(takeError(&text), CG_FILE_READ_ERROR);
    EXPECT_NE(text.find(missing), std::string::npos);

    int foreign = 0;
    EXPECT_EQ(cgGetNamedParameter(nullptr, "x"), nullptr);
    EXPECT_EQ(takeError(), CG_INVALID_PROGRAM_HANDLE_ERROR);
    cgGLBindProgram(reinterpret_cast<CGprogram>(&foreign));
    EXPECT_EQ(takeError(), CG_INVALID_PROGRAM_HANDLE_ERROR);
    cgGLSetParameter3fv(reinterpret_cast<CGparameter>(&foreign), nullptr);
    EXPECT_EQ(takeError(), CG_INVALID_PARAM_HANDLE_ERROR);
    cgCreateProgramFromFile(reinterpret_cast<CGcontext>(&foreign), CG_SOURCE, "x", CG_PROFILE_GLSLV, "main", nullptr);
    EXPECT_EQ(takeError(), CG_INVALID_CONTEXT_HANDLE_ERROR);

    const CGcontext destroyed = cgCreateContext();
    cgDestroyContext(destroyed);
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    cgGetLastListing(destroyed);
    EXPECT_EQ(takeError(), CG_INVALID_CONTEXT_HANDLE_ERROR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(CgRuntime, SettersConvertToTheDeclaredTypeAndIgnoreDroppedUniforms) {
    const CGprogram program = compile("uniforms.glsl",
                                      "#version 120\nuniform vec4 plane;\nuniform float level;\nuniform int count;\n"
                                      "uniform mat3 rotation;\nuniform vec3 unused;\nvoid main() {\n"
                                      "    gl_FragColor = plane * level * float(count) + vec4(rotation[2], 0.0);\n}\n");
    ASSERT_NE(program, nullptr);
    const GLuint id = program->program;
    cgSetParameter3f(cgGetNamedParameter(program, "plane"), 1, 2, 3);
    cgSetParameter1i(cgGetNamedParameter(program, "level"), 32);
    const float four[4] = {7.9f, 0, 0, 0};
    cgGLSetParameter4fv(cgGetNamedParameter(program, "count"), four);
    Matrix4 m;
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(i + 1);
    cgGLSetMatrixParameterfc(cgGetNamedParameter(program, "rotation"), m.data());
    ASSERT_EQ(glGetUniformLocation(id, "unused"), -1);
    cgSetParameter3f(cgGetNamedParameter(program, "unused"), 1, 2, 3);  // dropped: a silent no-op
    EXPECT_EQ(takeError(), CG_NO_ERROR);
    EXPECT_EQ(cgGetNamedParameter(program, "undeclared"), nullptr);

    float read[9] = {};
    glGetUniformfv(id, glGetUniformLocation(id, "plane"), read);
    EXPECT_EQ((std::vector<float>(read, read + 4)), (std::vector<float>{1, 2, 3, 0}));
    glGetUniformfv(id, glGetUniformLocation(id, "level"), read);
    EXPECT_FLOAT_EQ(read[0], 32.0f);
    GLint count = 0;
    glGetUniformiv(id, glGetUniformLocation(id, "count"), &count);
    EXPECT_EQ(count, 7);
    glGetUniformfv(id, glGetUniformLocation(id, "rotation"), read);
    EXPECT_FLOAT_EQ(read[3], m[4]);   // column 1, row 0
    EXPECT_FLOAT_EQ(read[8], m[10]);  // column 2, row 2
    cgGLSetMatrixParameterfc(cgGetNamedParameter(program, "plane"), m.data());
    EXPECT_EQ(takeError(), CG_INVALID_PARAMETER_ERROR);
    const CGparameter plane = cgGetNamedParameter(program, "plane");
    cgDestroyProgram(program);
    cgSetParameter3f(plane, 1, 2, 3);
    EXPECT_EQ(takeError(), CG_INVALID_PARAM_HANDLE_ERROR);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
