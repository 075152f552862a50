#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shading/ParameterUploads.h"
#include "shading/ShaderContext.h"
#include "shading/ShaderProgram.h"
#include "support/GlContext.h"
#include "support/RowTexture.h"
#include "support/Scratch.h"

namespace {

// The shader layer reports on standard output; death tests match standard error.
void reportOnStandardError() { dup2(STDERR_FILENO, STDOUT_FILENO); }

class ShaderPair : public testing::Test {
protected:
    GlContext gl{32, 32};

    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(ShaderPair, RuntimeErrorsEndTheProcessWithTheirMessages) {
    const std::string broken = writeScratchFile("broken_fp.glsl", "#version 120\nvoid main() { gl_FragColor = oops; }\n");
    EXPECT_EXIT((reportOnStandardError(), ShaderProgram("../resources/shader/vp_pass.cg", broken)),
                testing::ExitedWithCode(1), "broken_fp\\.glsl: The compile returned an error\\.\n.*oops");
    EXPECT_EXIT((__glewCreateShaderProgramv = nullptr, ShaderProgram("", "../resources/shader/fp_ambient.cg")),
                testing::ExitedWithCode(1), "Error: Cg can't get vertex profile\n");

    const std::string vertex = writeScratchFile("sampler_vp.glsl",
                                             "#version 120\nuniform sampler2D heightMap;\n"
                                             "void main() { gl_Position = texture2D(heightMap, vec2(0.5)); }\n");
    ShaderProgram pair(vertex, "../resources/shader/fp_ambient.cg");
    ASSERT_NE(cgGetNamedParameter(pair.vertexProgram, "heightMap"), nullptr);
    EXPECT_EXIT((reportOnStandardError(), pair.setTextureParameter("heightMap", 1)), testing::ExitedWithCode(1),
                "setting texture parameter: Invalid parameter handle");
}

TEST_F(ShaderPair, EmptyVertexPathLoadsAndBindsOnlyTheFragmentStage) {
    testing::internal::CaptureStdout();
    ShaderProgram pair("", "../resources/shader/fp_ambient.cg");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: Couldn't load vertex program: \n");
    EXPECT_FALSE(pair.vertexLoaded);
    EXPECT_EQ(pair.vertexProgram, nullptr);
    EXPECT_TRUE(pair.fragmentLoaded);
    EXPECT_EQ(pair.fragmentProfile, ShaderContext::instance().fragmentProfile);

    pair.bind();
    const GLint pipeline = glInteger(GL_PROGRAM_PIPELINE_BINDING);
    GLint vertexStage = -1, fragmentStage = 0;
    glGetProgramPipelineiv(pipeline, GL_VERTEX_SHADER, &vertexStage);
    glGetProgramPipelineiv(pipeline, GL_FRAGMENT_SHADER, &fragmentStage);
    EXPECT_NE(pipeline, 0);
    EXPECT_EQ(vertexStage, 0);
    EXPECT_NE(fragmentStage, 0);
    pair.unbind();
    EXPECT_EQ(glInteger(GL_PROGRAM_PIPELINE_BINDING), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderPair, AmbientPairDrawsTheDecalAtAModestLevel) {
    ShaderProgram pair("../resources/shader/vp_pass.cg", "../resources/shader/fp_ambient.cg");
    const GLuint decal = rowTexture({255, 0, 255});
    pair.bind();
    pair.setTextureParameter("decal", decal);
    pair.enableTextureParameter("decal");
    setModelViewProjection(pair.vertexProgram);
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
