#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "MeshFiles.h"
#include "platform/model/Model3ds.h"
#include "support/GlContext.h"

namespace {

// Shows one vertex attribute as colour: 0 normal, 1 uv, 2 tangent with handedness in alpha.
const char* kVertexSource = R"(#version 120
uniform int show;
varying vec4 colour;
void main() {
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    if (show == 0) colour = vec4(gl_Normal * 0.5 + 0.5, 1.0);
    else if (show == 1) colour = vec4(gl_MultiTexCoord0.xy, 0.0, 1.0);
    else colour = gl_MultiTexCoord1 * 0.5 + 0.5;
}
)";
const char* kFragmentSource = R"(#version 120
varying vec4 colour;
void main() { gl_FragColor = colour; }
)";

GLuint compile(GLenum stage, const char* source) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint attributeProgram() {
    const GLuint program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER, kVertexSource));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, kFragmentSource));
    glLinkProgram(program);
    GLint linked = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    EXPECT_TRUE(linked);
    return program;
}

std::array<float, 16> matrix(GLenum which) {
    std::array<float, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

GLint integer(GLenum which) {
    GLint value = 0;
    glGetIntegerv(which, &value);
    return value;
}

bool near(const std::vector<unsigned char>& rgba, int r, int g, int b, int a) {
    return std::abs(rgba[0] - r) <= 3 && std::abs(rgba[1] - g) <= 3 && std::abs(rgba[2] - b) <= 3 &&
           std::abs(rgba[3] - a) <= 3;
}

size_t litPixels(const std::vector<unsigned char>& pixels) {
    size_t lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += (pixels[i] | pixels[i + 1] | pixels[i + 2]) != 0;
    return lit;
}

class ModelRender : public ::testing::Test {
protected:
    GlContext context{64, 64};

    void SetUp() override {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -2, 2, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        clear();
    }
    static void clear() {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    static std::string file(const std::string& name, const ThreeDsMesh& mesh) { return writeMeshFile(name, {mesh}); }
};

}  // namespace

TEST_F(ModelRender, BuffersAreMadeOnFirstRenderAndDrawTheMesh) {
    Model3ds model;
    ASSERT_TRUE(model.loadModelWithTangents(file("render_square.3ds", squareMesh())));
    EXPECT_EQ(model.buffers.vertexBuffer, 0u);
    glColor3f(1, 1, 1);
    model.render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(glIsBuffer(model.buffers.vertexBuffer));
    EXPECT_TRUE(glIsBuffer(model.buffers.indexBuffer));
    EXPECT_TRUE(near(context.pixel(32, 32), 255, 255, 255, 255));
    EXPECT_TRUE(near(context.pixel(44, 44), 255, 255, 255, 255));
    EXPECT_TRUE(near(context.pixel(52, 52), 0, 0, 0, 0));

    // Loading another file replaces what the buffers hold.
    ASSERT_TRUE(model.loadModelWithTangents(file("render_small.3ds", squareMesh(false, 0.25f))));
    clear();
    model.render();
    EXPECT_TRUE(near(context.pixel(32, 32), 255, 255, 255, 255));
    EXPECT_TRUE(near(context.pixel(44, 44), 0, 0, 0, 0));
}

TEST_F(ModelRender, ProgramsReceiveNormalUvAndTangent) {
    const GLuint program = attributeProgram();
    glUseProgram(program);
    const GLint show = glGetUniformLocation(program, "show");
    for (bool mirrored : {false, true}) {
        Model3ds model;
        ASSERT_TRUE(model.loadModelWithTangents(file("attributes.3ds", squareMesh(mirrored))));
        glUniform1i(show, 0);
        clear();
        model.render();
        EXPECT_TRUE(near(context.pixel(32, 32), 128, 128, 255, 255));
        glUniform1i(show, 1);
        clear();
        model.render();
        // Pixel centre (24.5, 40.5) lies at u = 0.27 (0.73 mirrored), v = 0.77 on the square.
        EXPECT_TRUE(near(context.pixel(24, 40), mirrored ? 187 : 68, 195, 0, 255));
        glUniform1i(show, 2);
        clear();
        model.render();
        EXPECT_TRUE(mirrored ? near(context.pixel(32, 32), 0, 128, 128, 0) : near(context.pixel(32, 32), 255, 128, 128, 255));
    }
    glUseProgram(0);
    glDeleteProgram(program);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelRender, LeavesClientStateBindingsAndMatricesAsFound) {
    Model3ds model(file("state_cube.3ds", cubeMesh(true)));
    model.calculateTangents();
    GLuint callerBuffers[2];
    glGenBuffers(2, callerBuffers);
    const unsigned char colours[16] = {};
    glBindBuffer(GL_ARRAY_BUFFER, callerBuffers[0]);
    glBufferData(GL_ARRAY_BUFFER, sizeof(colours), colours, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, callerBuffers[1]);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, nullptr);  // four bytes only: must not feed our draw
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    static const float callerVertices[3] = {};
    glVertexPointer(3, GL_FLOAT, 0, callerVertices);
    glBindBuffer(GL_ARRAY_BUFFER, callerBuffers[0]);
    glClientActiveTexture(GL_TEXTURE2);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glRotatef(30, 1, 1, 0);
    glMatrixMode(GL_TEXTURE);
    const auto modelView = matrix(GL_MODELVIEW_MATRIX), projection = matrix(GL_PROJECTION_MATRIX);
    const GLint depth = integer(GL_MODELVIEW_STACK_DEPTH);

    glColor3f(1, 1, 1);
    model.render();
    model.render();

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_GT(litPixels(context.readPixels()), 500u);
    EXPECT_EQ(integer(GL_CLIENT_ACTIVE_TEXTURE), GL_TEXTURE2);
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(callerBuffers[0]));
    EXPECT_EQ(integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(callerBuffers[1]));
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_TEXTURE);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), modelView);
    EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_EQ(integer(GL_COLOR_ARRAY_BUFFER_BINDING), static_cast<GLint>(callerBuffers[0]));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BUFFER_BINDING), 0);
    void* pointer = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, callerVertices);
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
        glClientActiveTexture(unit);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    }
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glDisableClientState(GL_COLOR_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDeleteBuffers(2, callerBuffers);
}

TEST_F(ModelRender, DisplayListDrawsWhatRenderDraws) {
    const GLuint program = attributeProgram();
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "show"), 2);
    glEnable(GL_DEPTH_TEST);
    glRotatef(35, 1, 0, 0);
    glRotatef(40, 0, 1, 0);
    Model3ds model;
    ASSERT_TRUE(model.loadModelWithTangents(file("list_cube.3ds", cubeMesh(true))));
    model.render();
    const std::vector<unsigned char> drawn = context.readPixels();
    EXPECT_GT(litPixels(drawn), 500u);

    clear();
    model.createDL4Model();
    ASSERT_TRUE(glIsList(model.displayList));
    glCallList(model.displayList);
    EXPECT_EQ(context.readPixels(), drawn);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);
    glDeleteProgram(program);
}

TEST_F(ModelRender, ModelOfABadFileDrawsNothing) {
    for (const std::string& path : {scratchPath("missing.3ds"), writeBytes("garbage.3ds", "MM\x01\x02garbage")}) {
        Model3ds model;
        EXPECT_FALSE(model.loadModelWithTangents(path));
        glColor3f(1, 1, 1);
        model.render();
        model.createDL4Model();
        if (model.displayList) glCallList(model.displayList);
        EXPECT_EQ(litPixels(context.readPixels()), 0u);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    // A model that loaded and drew, then failed to reload, draws nothing more.
    Model3ds model(file("then_bad.3ds", squareMesh()));
    model.render();
    EXPECT_GT(litPixels(context.readPixels()), 0u);
    EXPECT_FALSE(model.loadModelWithTangents(scratchPath("missing.3ds")));
    clear();
    model.render();
    EXPECT_EQ(litPixels(context.readPixels()), 0u);
}
