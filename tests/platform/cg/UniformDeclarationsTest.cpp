#include <gtest/gtest.h>

#include "platform/cg/UniformDeclarations.h"

namespace {

TEST(UniformDeclarations, ReadsTypesNamesAndOrder) {
    const auto found = parseUniformDeclarations(
        "#version 120\n"
        "uniform sampler2D decal;\n"
        "uniform  highp vec3 lightPosition ;\n"
        "uniform int shininess; uniform mat4 modelViewProj;\n"
        "layout(location = 3) uniform samplerCube cubeMap;\n"
        "void main() { gl_FragColor = vec4(1.0); }\n");
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[0].name, "decal");
    EXPECT_EQ(found[0].type.kind, UniformKind::Sampler);
    EXPECT_EQ(found[0].type.samplerTarget, static_cast<GLenum>(GL_TEXTURE_2D));
    EXPECT_EQ(found[1].name, "lightPosition");
    EXPECT_EQ(found[1].type.kind, UniformKind::Float);
    EXPECT_EQ(found[1].type.components, 3);
    EXPECT_EQ(found[2].name, "shininess");
    EXPECT_EQ(found[2].type.kind, UniformKind::Int);
    EXPECT_EQ(found[3].type.kind, UniformKind::Matrix);
    EXPECT_EQ(found[3].type.components, 4);
    EXPECT_EQ(found[4].name, "cubeMap");
    EXPECT_EQ(found[4].type.samplerTarget, static_cast<GLenum>(GL_TEXTURE_CUBE_MAP));
}

TEST(UniformDeclarations, ListsShareTheirType) {
    const auto found = parseUniformDeclarations("uniform vec4 a, b ,c;");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[2].name, "c");
    EXPECT_EQ(found[2].type.components, 4);
}

TEST(UniformDeclarations, IgnoresCommentsDirectivesArraysBlocksAndStructs) {
    const auto found = parseUniformDeclarations(
        "// uniform float inLineComment;\n"
        "/* uniform float inBlock;\n uniform float stillInBlock; */\n"
        "#define uniform_like uniform float inDirective;\n"
        "uniform float weights[4];\n"
        "uniform Lights { vec4 position; };\n"
        "uniform Material material;\n"
        "uniform float kept;\n"
        "float notAUniform;\n");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "kept");
}

TEST(UniformDeclarations, SurvivesTruncatedSources) {
    EXPECT_TRUE(parseUniformDeclarations("uniform").empty());
    EXPECT_TRUE(parseUniformDeclarations("uniform vec3").empty());
    EXPECT_TRUE(parseUniformDeclarations("uniform vec3 name").empty());
    EXPECT_TRUE(parseUniformDeclarations("/* uniform vec3 open;").empty());
}

}  // namespace
