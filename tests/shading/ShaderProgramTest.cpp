#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/cg/GlslFiles.h"
#include "shading/ShaderContext.h"
#include "shading/ShaderProgram.h"
#include "support/GlContext.h"

namespace {

const char* kFragmentSource =
    "#version 120\n"
    "uniform sampler2D decal;\n"
    "void main() { gl_FragColor = texture2D(decal, gl_TexCoord[0].st); }\n";

const char* kVertexWithSampler =
    "#version 120\n"
    "uniform sampler2D heightMap;\n"
    "void main() { gl_Position = gl_Vertex + texture2D(heightMap, vec2(0.5)); }\n";

// The shader layer reports on standard output; death tests match standard error.
void reportOnStandardError() { dup2(STDERR_FILENO, STDOUT_FILENO); }

class ShaderPair : public testing::Test {
protected:
    GlContext gl{32, 32};

    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(ShaderPair, CompileFailureEndsTheProcessWithPathTextAndListing) {
    const std::string broken = writeGlslFile("broken_fp.glsl", "#version 120\nvoid main() { gl_FragColor = oops; }\n");
    EXPECT_EXIT(
        {
            reportOnStandardError();
            ShaderProgram pair("../resources/shader/vp_pass.cg", broken);
        },
        testing::ExitedWithCode(1), "broken_fp\\.glsl: The compile returned an error\\.\n.*oops");
}

TEST_F(ShaderPair, MissingFileEndsTheProcessNamingIt) {
    EXPECT_EXIT(
        {
            reportOnStandardError();
            ShaderProgram pair("../resources/shader/no_such_vp.cg", "");
        },
        testing::ExitedWithCode(1), "no_such_vp\\.cg: Can't read program file");
}

TEST_F(ShaderPair, SamplerOfTheVertexProgramOnlyIsFatal) {
    const std::string vertex = writeGlslFile("sampler_vp.glsl", kVertexWithSampler);
    const std::string fragment = writeGlslFile("sampler_fp.glsl", kFragmentSource);
    ShaderProgram pair(vertex, fragment);
    ASSERT_NE(cgGetNamedParameter(pair.vertexProgram, "heightMap"), nullptr);
    EXPECT_EXIT(
        {
            reportOnStandardError();
            pair.setTextureParameter("heightMap", 1);
        },
        testing::ExitedWithCode(1), "setting texture parameter: Invalid parameter handle");
}

TEST_F(ShaderPair, MissingProfileEndsTheProcessBeforeAnyProgram) {
    EXPECT_EXIT(
        {
            __GLEW_ARB_separate_shader_objects = GL_FALSE;
            __GLEW_VERSION_4_1 = GL_FALSE;
            ShaderProgram pair("", "../resources/shader/fp_ambient.cg");
        },
        testing::ExitedWithCode(1), "Error: Cg can't get vertex profile\n");
}

TEST_F(ShaderPair, EmptyVertexPathLoadsAndBindsOnlyTheFragmentStage) {
    testing::internal::CaptureStdout();
    ShaderProgram pair("", "../resources/shader/fp_ambient.cg");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: Couldn't load vertex program: \n");
    EXPECT_FALSE(pair.vertexLoaded);
    EXPECT_EQ(pair.vertexProgram, nullptr);
    EXPECT_TRUE(pair.vertexFile.empty());
    EXPECT_TRUE(pair.fragmentLoaded);
    EXPECT_EQ(pair.fragmentFile, "../resources/shader/fp_ambient.cg");
    EXPECT_EQ(pair.fragmentProfile, ShaderContext::instance().fragmentProfile);

    pair.bind();
    GLint pipeline = 0;
    glGetIntegerv(GL_PROGRAM_PIPELINE_BINDING, &pipeline);
    ASSERT_NE(pipeline, 0);
    GLint vertexStage = -1;
    GLint fragmentStage = 0;
    glGetProgramPipelineiv(pipeline, GL_VERTEX_SHADER, &vertexStage);
    glGetProgramPipelineiv(pipeline, GL_FRAGMENT_SHADER, &fragmentStage);
    EXPECT_EQ(vertexStage, 0);
    EXPECT_NE(fragmentStage, 0);
    pair.unbind();
    glGetIntegerv(GL_PROGRAM_PIPELINE_BINDING, &pipeline);
    EXPECT_EQ(pipeline, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

GLuint solidTexture(const std::vector<unsigned char>& rgbTexels, int width) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, width, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, rgbTexels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

TEST_F(ShaderPair, AmbientPairDrawsTheDecalAtAModestLevel) {
    ShaderProgram pair("../resources/shader/vp_pass.cg", "../resources/shader/fp_ambient.cg");
    const GLuint decal = solidTexture({255, 0, 255}, 1);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    pair.bind();
    pair.setTextureParameter("decal", decal);
    pair.enableTextureParameter("decal");
    cgGLSetStateMatrixParameter(cgGetNamedParameter(pair.vertexProgram, "modelViewProj"),
                                CG_GL_MODELVIEW_PROJECTION_MATRIX, CG_GL_MATRIX_IDENTITY);
    glRectf(-1, -1, 1, 1);
    pair.disableTextureParameter("decal");
    pair.unbind();
    const std::vector<unsigned char> centre = gl.pixel(16, 16);
    EXPECT_GT(centre[0], 40);
    EXPECT_LT(centre[0], 100);
    EXPECT_EQ(centre[1], 0);
    EXPECT_EQ(centre[2], centre[0]);
    glDeleteTextures(1, &decal);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
