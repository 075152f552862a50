#include <gtest/gtest.h>

#include "platform/cg/UniformDeclarations.h"

TEST(UniformDeclarations, ReadsPlainDeclarationsInOrderAndSkipsTheRest) {
    const auto found = parseUniformDeclarations(
        "#version 120\n#define X uniform float inDirective;\n"
        "// uniform float inComment;\n/* uniform float inBlock; */\n"
        "uniform sampler2D decal;\nuniform highp vec3 a, b ;\n"
        "uniform float weights[4];\nuniform Block { vec4 p; };\nuniform Material m;\n"
        "layout(location = 3) uniform samplerCube cubeMap;\nuniform int shininess; uniform mat4 mvp;\n");
    ASSERT_EQ(found.size(), 6u);
    const char* names[6] = {"decal", "a", "b", "cubeMap", "shininess", "mvp"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(found[i].name, names[i]);
    EXPECT_EQ(found[0].type.samplerTarget, static_cast<GLenum>(GL_TEXTURE_2D));
    EXPECT_EQ(found[2].type.components, 3);
    EXPECT_EQ(found[3].type.samplerTarget, static_cast<GLenum>(GL_TEXTURE_CUBE_MAP));
    EXPECT_EQ(found[4].type.kind, UniformKind::Int);
    EXPECT_EQ(found[5].type.kind, UniformKind::Matrix);
    for (const char* truncated : {"uniform", "uniform vec3", "uniform vec3 name", "/* uniform vec3 open;"}) {
        EXPECT_TRUE(parseUniformDeclarations(truncated).empty()) << truncated;
    }
}
