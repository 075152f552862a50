#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "shadow/PassStates.h"
#include "support/CapturedOutput.h"
#include "SharedContext.h"

namespace {

using Integers = std::vector<std::pair<GLenum, GLint>>;

void expectState(const std::vector<GLenum>& on, const std::vector<GLenum>& off, const Integers& values) {
    for (GLenum name : on) EXPECT_TRUE(glIsEnabled(name)) << std::hex << name;
    for (GLenum name : off) EXPECT_FALSE(glIsEnabled(name)) << std::hex << name;
    for (const auto& value : values) EXPECT_EQ(glInteger(value.first), value.second) << std::hex << value.first;
}

void expectWrites(bool depth, bool colour) {
    GLboolean depthMask = !depth, mask[4] = {!colour, !colour, !colour, !colour};
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_EQ(depthMask != GL_FALSE, depth);
    for (GLboolean channel : mask) EXPECT_EQ(channel != GL_FALSE, colour);
}

// Starts from a state unlike any pass's, so that every setting and every restore shows.
class PassStates : public testing::Test {
protected:
    GlContext& gl = sharedContext();

    void SetUp() override {
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glCullFace(GL_FRONT);
        glDisable(GL_CULL_FACE);
        glDepthMask(GL_FALSE);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glDepthFunc(GL_GREATER);
        glDisable(GL_STENCIL_TEST);
        glStencilMask(0x0F);
        glStencilFunc(GL_NEVER, 3, 0x0F);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glDisable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ZERO);
    }

    void popAndExpectStartingState() {
        endPass();
        glActiveStencilFaceEXT(GL_FRONT);
        expectState({GL_LIGHTING}, {GL_DEPTH_TEST, GL_CULL_FACE, GL_STENCIL_TEST, GL_STENCIL_TEST_TWO_SIDE_EXT, GL_BLEND},
                    {{GL_CULL_FACE_MODE, GL_FRONT}, {GL_DEPTH_FUNC, GL_GREATER}, {GL_STENCIL_WRITEMASK, 0x0F},
                     {GL_STENCIL_FUNC, GL_NEVER}, {GL_STENCIL_PASS_DEPTH_PASS, GL_KEEP}, {GL_BLEND_DST, GL_ZERO}});
        expectWrites(false, false);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // `out`: what the shadow pass wrote as it began without two-sided stencil.
    void expectShadowPassWithoutStencilOperations(const std::string& out) {
        EXPECT_EQ(out, "[ERROR] Extension for two sided stencil and stencil wrap not supported!\n");
        expectState({GL_STENCIL_TEST}, {GL_STENCIL_TEST_TWO_SIDE_EXT}, {{GL_STENCIL_PASS_DEPTH_PASS, GL_KEEP}});
        popAndExpectStartingState();
    }
};

TEST_F(PassStates, AmbientPassWritesDepthAndColourWithBackFacesCulled) {
    beginAmbientPass();
    expectState({GL_DEPTH_TEST, GL_CULL_FACE}, {GL_LIGHTING, GL_STENCIL_TEST},
                {{GL_CULL_FACE_MODE, GL_BACK}, {GL_DEPTH_FUNC, GL_LESS}});
    expectWrites(true, true);
    popAndExpectStartingState();
}

TEST_F(PassStates, ShadowVolumePassCountsBothSidesIntoTheStencilOnly) {
    ASSERT_TRUE(twoSidedStencilSupported()) << "the test driver offers both stencil extensions";
    testing::internal::CaptureStdout();
    beginShadowVolumePass();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    expectState({GL_STENCIL_TEST, GL_STENCIL_TEST_TWO_SIDE_EXT, GL_DEPTH_TEST}, {GL_CULL_FACE},
                {{GL_DEPTH_FUNC, GL_LESS}});
    expectWrites(false, false);
    for (auto face : {std::make_pair(GL_FRONT, GL_INCR_WRAP_EXT), std::make_pair(GL_BACK, GL_DECR_WRAP_EXT)}) {
        SCOPED_TRACE(face.first == GL_FRONT ? "front" : "back");
        glActiveStencilFaceEXT(face.first);
        expectState({}, {}, {{GL_STENCIL_FAIL, GL_KEEP}, {GL_STENCIL_PASS_DEPTH_FAIL, GL_KEEP},
                             {GL_STENCIL_PASS_DEPTH_PASS, static_cast<GLint>(face.second)},
                             {GL_STENCIL_FUNC, GL_ALWAYS}, {GL_STENCIL_REF, 0}});
        EXPECT_EQ(glInteger(GL_STENCIL_VALUE_MASK) & 0xFF, 0xFF);
        EXPECT_EQ(glInteger(GL_STENCIL_WRITEMASK) & 0xFF, 0xFF);
    }
    popAndExpectStartingState();
}

TEST_F(PassStates, WithoutBothStencilExtensionsTheShadowPassSaysSoAndSetsNoOperation) {
    const GLboolean wrap = __GLEW_EXT_stencil_wrap;
    __GLEW_EXT_stencil_wrap = GL_FALSE;
    const std::string out = captured(beginShadowVolumePass).out;
    __GLEW_EXT_stencil_wrap = wrap;
    expectShadowPassWithoutStencilOperations(out);
}

// Both extensions listed, but GLEW found no glActiveStencilFaceEXT to call.
TEST_F(PassStates, WithoutTheStencilFaceFunctionTheShadowPassSaysSoInsteadOfCallingIt) {
    std::string out;
    {
        MissingEntryPoint<PFNGLACTIVESTENCILFACEEXTPROC> missing(__glewActiveStencilFaceEXT);
        out = captured(beginShadowVolumePass).out;
    }
    expectShadowPassWithoutStencilOperations(out);
}

TEST_F(PassStates, LitPassAddsColourWhereTheStencilIsZero) {
    beginLitPass();
    expectState({GL_STENCIL_TEST, GL_CULL_FACE, GL_BLEND}, {},
                {{GL_STENCIL_WRITEMASK, 0}, {GL_STENCIL_FUNC, GL_EQUAL}, {GL_STENCIL_REF, 0},
                 {GL_CULL_FACE_MODE, GL_BACK}, {GL_BLEND_SRC, GL_ONE}, {GL_BLEND_DST, GL_ONE},
                 {GL_DEPTH_FUNC, GL_LEQUAL}});
    EXPECT_EQ(glInteger(GL_STENCIL_VALUE_MASK) & 0xFF, 0xFF);
    expectWrites(false, true);
    popAndExpectStartingState();
}

}  // namespace
