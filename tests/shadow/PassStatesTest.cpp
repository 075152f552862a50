#include <string>

#include <gtest/gtest.h>

#include "shadow/PassStates.h"
#include "SharedContext.h"

namespace {

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

GLboolean flag(GLenum name) {
    GLboolean value = GL_FALSE;
    glGetBooleanv(name, &value);
    return value;
}

bool colourWrites() {
    GLboolean mask[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    return mask[0] && mask[1] && mask[2] && mask[3];
}

// The stencil operations and mask of one face under two-sided stencil.
struct StencilFace {
    GLint fail, depthFail, depthPass, function, reference, valueMask, writeMask;
};

StencilFace stencilFace(GLenum face) {
    glActiveStencilFaceEXT(face);
    return {integer(GL_STENCIL_FAIL), integer(GL_STENCIL_PASS_DEPTH_FAIL), integer(GL_STENCIL_PASS_DEPTH_PASS),
            integer(GL_STENCIL_FUNC), integer(GL_STENCIL_REF), integer(GL_STENCIL_VALUE_MASK),
            integer(GL_STENCIL_WRITEMASK)};
}

// A state unlike any pass's, so that every setting and every restore shows.
class PassStates : public testing::Test {
protected:
    GlContext& gl = sharedContext();

    void SetUp() override {
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glCullFace(GL_FRONT);
        glDisable(GL_CULL_FACE);
        glDepthMask(GL_FALSE);
        glColorMask(GL_FALSE, GL_TRUE, GL_FALSE, GL_TRUE);
        glDepthFunc(GL_GREATER);
        glDisable(GL_STENCIL_TEST);
        glStencilMask(0x0F);
        glStencilFunc(GL_NEVER, 3, 0x0F);
        glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
        glDisable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ZERO);
    }

    void expectStartingState() {
        EXPECT_FALSE(flag(GL_DEPTH_TEST));
        EXPECT_TRUE(flag(GL_LIGHTING));
        EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_FRONT);
        EXPECT_FALSE(flag(GL_CULL_FACE));
        EXPECT_FALSE(flag(GL_DEPTH_WRITEMASK));
        EXPECT_FALSE(colourWrites());
        EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_GREATER);
        EXPECT_FALSE(flag(GL_STENCIL_TEST));
        EXPECT_FALSE(flag(GL_STENCIL_TEST_TWO_SIDE_EXT));
        EXPECT_EQ(integer(GL_STENCIL_WRITEMASK), 0x0F);
        EXPECT_EQ(integer(GL_STENCIL_FUNC), GL_NEVER);
        EXPECT_FALSE(flag(GL_BLEND));
        EXPECT_EQ(integer(GL_BLEND_DST), GL_ZERO);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

TEST_F(PassStates, AmbientPassWritesDepthAndColourWithBackFacesCulled) {
    beginAmbientPass();
    EXPECT_TRUE(flag(GL_DEPTH_TEST));
    EXPECT_FALSE(flag(GL_LIGHTING));
    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_TRUE(flag(GL_CULL_FACE));
    EXPECT_TRUE(flag(GL_DEPTH_WRITEMASK));
    EXPECT_TRUE(colourWrites());
    EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LESS);
    EXPECT_FALSE(flag(GL_STENCIL_TEST));
    glPopAttrib();
    expectStartingState();
}

TEST_F(PassStates, ShadowVolumePassCountsBothSidesIntoTheStencilOnly) {
    ASSERT_TRUE(twoSidedStencilSupported()) << "the test driver offers both stencil extensions";
    testing::internal::CaptureStdout();
    beginShadowVolumePass();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(flag(GL_STENCIL_TEST));
    EXPECT_TRUE(flag(GL_STENCIL_TEST_TWO_SIDE_EXT));
    EXPECT_FALSE(flag(GL_DEPTH_WRITEMASK));
    EXPECT_FALSE(flag(GL_CULL_FACE));
    GLboolean mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_FALSE(mask[0] || mask[1] || mask[2] || mask[3]);
    EXPECT_TRUE(flag(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LESS);
    const StencilFace front = stencilFace(GL_FRONT);
    const StencilFace back = stencilFace(GL_BACK);
    EXPECT_EQ(front.fail, GL_KEEP);
    EXPECT_EQ(front.depthFail, GL_KEEP);
    EXPECT_EQ(front.depthPass, GL_INCR_WRAP_EXT);
    EXPECT_EQ(back.fail, GL_KEEP);
    EXPECT_EQ(back.depthFail, GL_KEEP);
    EXPECT_EQ(back.depthPass, GL_DECR_WRAP_EXT);
    for (const StencilFace& face : {front, back}) {
        EXPECT_EQ(face.function, GL_ALWAYS);
        EXPECT_EQ(face.reference, 0);
        EXPECT_EQ(face.valueMask & 0xFF, 0xFF);
        EXPECT_EQ(face.writeMask & 0xFF, 0xFF);
    }
    glPopAttrib();
    glActiveStencilFaceEXT(GL_FRONT);
    expectStartingState();
    EXPECT_EQ(integer(GL_STENCIL_PASS_DEPTH_PASS), GL_KEEP);
}

TEST_F(PassStates, WithoutBothStencilExtensionsTheShadowPassSaysSoAndSetsNoOperation) {
    const GLboolean wrap = __GLEW_EXT_stencil_wrap;
    __GLEW_EXT_stencil_wrap = GL_FALSE;
    testing::internal::CaptureStdout();
    beginShadowVolumePass();
    const std::string out = testing::internal::GetCapturedStdout();
    __GLEW_EXT_stencil_wrap = wrap;
    EXPECT_EQ(out, "[ERROR] Extension for two sided stencil and stencil wrap not supported!\n");
    EXPECT_TRUE(flag(GL_STENCIL_TEST));
    EXPECT_FALSE(flag(GL_STENCIL_TEST_TWO_SIDE_EXT));
    EXPECT_EQ(integer(GL_STENCIL_PASS_DEPTH_PASS), GL_KEEP);
    glPopAttrib();
    expectStartingState();
}

TEST_F(PassStates, LitPassAddsColourWhereTheStencilIsZero) {
    beginLitPass();
    EXPECT_TRUE(flag(GL_STENCIL_TEST));
    EXPECT_EQ(integer(GL_STENCIL_WRITEMASK), 0);
    EXPECT_EQ(integer(GL_STENCIL_FUNC), GL_EQUAL);
    EXPECT_EQ(integer(GL_STENCIL_REF), 0);
    EXPECT_EQ(integer(GL_STENCIL_VALUE_MASK) & 0xFF, 0xFF);
    EXPECT_FALSE(flag(GL_DEPTH_WRITEMASK));
    EXPECT_TRUE(flag(GL_CULL_FACE));
    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_TRUE(colourWrites());
    EXPECT_TRUE(flag(GL_BLEND));
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_ONE);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
    EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LEQUAL);
    glPopAttrib();
    expectStartingState();
}

}  // namespace
