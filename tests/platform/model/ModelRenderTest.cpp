#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "MeshFiles.h"
#include "platform/model/Model3ds.h"
#include "support/GlContext.h"

namespace {

// Shows one attribute as colour: 0 normal, 1 uv, 2 tangent with handedness in alpha.
const char* kShowAttribute[2] = {R"(#version 120
uniform int show;
varying vec4 colour;
void main() {
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    colour = show == 0 ? vec4(gl_Normal * 0.5 + 0.5, 1.0)
           : show == 1 ? vec4(gl_MultiTexCoord0.xy, 0.0, 1.0) : gl_MultiTexCoord1 * 0.5 + 0.5;
})", "#version 120\nvarying vec4 colour;\nvoid main() { gl_FragColor = colour; }\n"};

GLuint attributeProgram() {
    const GLuint program = glCreateProgram();
    for (int stage = 0; stage < 2; ++stage) {
        const GLuint shader = glCreateShader(stage == 0 ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
        glShaderSource(shader, 1, &kShowAttribute[stage], nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
    }
    glLinkProgram(program);
    glUseProgram(program);
    return program;
}

bool near(const std::vector<unsigned char>& rgba, int r, int g, int b, int a) {
    return std::abs(rgba[0] - r) <= 3 && std::abs(rgba[1] - g) <= 3 && std::abs(rgba[2] - b) <= 3 && std::abs(rgba[3] - a) <= 3;
}

class ModelRender : public ::testing::Test {
protected:
    GlContext context{64, 64};

    void SetUp() override {
        glMatrixMode(GL_PROJECTION);
        glOrtho(-2, 2, -2, 2, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glColor3f(1, 1, 1);
        clear();
    }
    static void clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
    size_t litPixels() const {
        const std::vector<unsigned char> pixels = context.readPixels();
        size_t lit = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) lit += (pixels[i] | pixels[i + 1] | pixels[i + 2]) != 0;
        return lit;
    }
};

}  // namespace

TEST_F(ModelRender, DrawsFromBuffersMadeOnFirstRenderAndNothingAfterAFailedLoad) {
    Model3ds model(writeMeshFile("square.3ds", {squareMesh()}));
    EXPECT_EQ(model.buffers.vertexBuffer, 0u);
    model.render();
    EXPECT_TRUE(glIsBuffer(model.buffers.vertexBuffer) && glIsBuffer(model.buffers.indexBuffer));
    EXPECT_TRUE(near(context.pixel(44, 44), 255, 255, 255, 255));
    EXPECT_TRUE(near(context.pixel(52, 52), 0, 0, 0, 0));
    ASSERT_TRUE(model.loadModelWithTangents(writeMeshFile("small.3ds", {squareMesh(false, 0.25f)})));
    clear();
    model.render();  // the buffers now hold the new file
    EXPECT_TRUE(near(context.pixel(32, 32), 255, 255, 255, 255));
    EXPECT_TRUE(near(context.pixel(44, 44), 0, 0, 0, 0));
    EXPECT_FALSE(model.loadModelWithTangents(writeScratchFile("garbage.3ds", "MM\x01\x02garbage")));
    clear();
    model.render();
    model.createDL4Model();
    glCallList(model.displayList);
    EXPECT_EQ(litPixels(), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelRender, ADriverWithoutTheMultitextureFunctionsGetsNoDrawAndNoCallToThem) {
    Model3ds model(writeMeshFile("square.3ds", {squareMesh()}));
    {
        MissingEntryPoint<PFNGLCLIENTACTIVETEXTUREPROC> missing(__glewClientActiveTexture);
        model.render();
        MissingEntryPoint<PFNGLMULTITEXCOORD4FPROC> missingTexCoord(__glewMultiTexCoord4f);
        model.createDL4Model();
    }
    EXPECT_EQ(litPixels(), 0u);
    EXPECT_EQ(model.displayList, 0u);
    model.render();
    EXPECT_TRUE(near(context.pixel(44, 44), 255, 255, 255, 255));
}

TEST_F(ModelRender, ProgramsReceiveNormalUvAndTangentFromBuffersAndDisplayList) {
    const GLuint program = attributeProgram();
    for (bool mirrored : {false, true}) {
        Model3ds model;
        ASSERT_TRUE(model.loadModelWithTangents(writeMeshFile("attributes.3ds", {squareMesh(mirrored)})));
        model.createDL4Model();
        const int u = mirrored ? 187 : 68;  // at pixel centre (24.5, 40.5): u = 0.27 (0.73), v = 0.77
        const int t = mirrored ? 0 : 255;  // tangent x and handedness, +1 or -1
        const int expected[3][4] = {{128, 128, 255, 255}, {u, 195, 0, 255}, {t, 128, 128, t}};
        for (int show = 0; show < 3; ++show) {
            glUniform1i(glGetUniformLocation(program, "show"), show);
            clear();
            model.render();
            const auto drawn = context.readPixels();
            const int* e = expected[show];
            EXPECT_TRUE(near(context.pixel(24, 40), e[0], e[1], e[2], e[3])) << "attribute " << show;
            clear();
            glCallList(model.displayList);
            EXPECT_EQ(context.readPixels(), drawn) << "display list, attribute " << show;
        }
    }
    glUseProgram(0);
    glDeleteProgram(program);
}

TEST_F(ModelRender, LeavesClientStateBindingsAndMatricesAsFound) {
    Model3ds model;
    ASSERT_TRUE(model.loadModelWithTangents(writeMeshFile("state.3ds", {cubeMesh(true)})));
    GLuint callerBuffers[2];
    glGenBuffers(2, callerBuffers);
    glBindBuffer(GL_ARRAY_BUFFER, callerBuffers[0]);
    glBufferData(GL_ARRAY_BUFFER, 4, nullptr, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, callerBuffers[1]);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, nullptr);  // four bytes only: must not feed the draw
    glClientActiveTexture(GL_TEXTURE2);
    glRotatef(30, 1, 1, 0);
    glMatrixMode(GL_TEXTURE);
    std::array<float, 16> before{}, after{};
    glGetFloatv(GL_MODELVIEW_MATRIX, before.data());

    model.render();
    model.render();

    glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
    EXPECT_EQ(after, before);
    EXPECT_GT(litPixels(), 500u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_TEXTURE);
    EXPECT_EQ(glInteger(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(glInteger(GL_CLIENT_ACTIVE_TEXTURE), GL_TEXTURE2);
    EXPECT_EQ(glInteger(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(callerBuffers[0]));
    EXPECT_EQ(glInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(callerBuffers[1]));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_NORMAL_ARRAY));
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
        glClientActiveTexture(unit);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDeleteBuffers(2, callerBuffers);
}
