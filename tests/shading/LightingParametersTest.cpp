#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/Scene.h"
#include "platform/cg/CgRecords.h"
#include "shading/LightingParameters.h"
#include "shading/ShaderProgram.h"
#include "support/GlContext.h"

namespace {

TEST(MultiplyRows, ReadsEachStoredColumnAsARow) {
    Matrix4 m;
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(i + 1);
    const Vector4 r = multiplyRows(m, Vector4(1, 2, 3, 4));
    EXPECT_FLOAT_EQ(r.x, 1 * 1 + 2 * 2 + 3 * 3 + 4 * 4);
    EXPECT_FLOAT_EQ(r.y, 5 * 1 + 6 * 2 + 7 * 3 + 8 * 4);
    EXPECT_FLOAT_EQ(r.z, 9 * 1 + 10 * 2 + 11 * 3 + 12 * 4);
    EXPECT_FLOAT_EQ(r.w, 13 * 1 + 14 * 2 + 15 * 3 + 16 * 4);
    const Vector3 d = multiplyRowsDirection(m, Vector3(1, 2, 3));
    EXPECT_FLOAT_EQ(d.x, 1 + 4 + 9);
    EXPECT_FLOAT_EQ(d.z, 9 + 20 + 33);
    const Vector3 p = multiplyRowsPoint(m, Vector3(1, 2, 3));
    EXPECT_FLOAT_EQ(p.y, 5 + 12 + 21 + 8);
}

TEST(MultiplyRows, ObjectSpaceMatrixUndoesTheModelMatrix) {
    Matrix4 model = translation(Vector3(3, -4, 5));
    model.multiply(xRotation(0.7f));
    model.multiply(scaling(2.5f));
    const Vector4 world = transformPoint(model, Vector4(1, 2, 3, 1));
    const Vector4 back = multiplyRows(objectSpaceMatrix(model), world);
    EXPECT_NEAR(back.x, 1, 1e-5f);
    EXPECT_NEAR(back.y, 2, 1e-5f);
    EXPECT_NEAR(back.z, 3, 1e-5f);
    EXPECT_NEAR(back.w, 1, 1e-5f);
    Matrix4 singular;
    singular[0] = 0;
    const Vector4 same = multiplyRows(objectSpaceMatrix(singular), Vector4(7, 8, 9, 0));
    EXPECT_FLOAT_EQ(same.x, 7);
    EXPECT_FLOAT_EQ(same.z, 9);
}

Light sceneLight(float shininess) {
    Light light;
    light.position = {500, 650, 250, 0};
    light.diffuse = {0.6f, 0.6f, 0.6f, 1};
    light.specular = {0.9f, 0.9f, 0.9f, 1};
    light.shininess = shininess;
    return light;
}

class LightingUpload : public testing::Test {
protected:
    GlContext gl{32, 32};
    ShaderProgram pair{"../resources/shader/vp_bump.cg", "../resources/shader/fp_bump.cg"};

    void SetUp() override {
        appState.scene->lights = {sceneLight(32.9f)};
        appState.scene->cameraMode = CameraMode::Fixed;
        appState.scene->fixedEye = Vector3(10, 20, 30);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-1, 1, -1, 1, 1, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0, 0, -50);
    }

    void TearDown() override { appState.scene->lights.clear(); }

    std::vector<float> uniform(CGprogram program, const char* name, int count) {
        std::vector<float> values(16);
        glGetUniformfv(program->program, glGetUniformLocation(program->program, name), values.data());
        values.resize(count);
        return values;
    }

    // Binds the pair, places the model on the GL stack and uploads, as the renderer does.
    void upload(const Matrix4& model) {
        pair.bind();
        glPushMatrix();
        glMultMatrixf(model.data());
        setLightingParameters(pair, model);
    }

    void finish() {
        glPopMatrix();
        pair.unbind();
    }
};

void expectVector(const std::vector<float>& actual, const Vector3& expected) {
    ASSERT_EQ(actual.size(), 3u);
    EXPECT_NEAR(actual[0], expected.x, 1e-3f);
    EXPECT_NEAR(actual[1], expected.y, 1e-3f);
    EXPECT_NEAR(actual[2], expected.z, 1e-3f);
}

TEST_F(LightingUpload, IdentityModelSendsWorldValuesAndTheLightsColours) {
    upload(Matrix4());
    expectVector(uniform(pair.vertexProgram, "lightPosition", 3), Vector3(500, 650, 250));
    expectVector(uniform(pair.vertexProgram, "eyePosition", 3), Vector3(10, 20, 30));
    expectVector(uniform(pair.fragmentProgram, "diffuseCoeff", 3), Vector3(0.6f, 0.6f, 0.6f));
    expectVector(uniform(pair.fragmentProgram, "specularCoeff", 3), Vector3(0.9f, 0.9f, 0.9f));
    GLint shininess = 0;
    glGetUniformiv(pair.fragmentProgram->program, glGetUniformLocation(pair.fragmentProgram->program, "shininess"),
                   &shininess);
    EXPECT_EQ(shininess, 32);
    finish();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LightingUpload, TranslationMovesTheEyeButNotTheDirectionalLight) {
    upload(translation(Vector3(100, -40, 7)));
    expectVector(uniform(pair.vertexProgram, "lightPosition", 3), Vector3(500, 650, 250));
    expectVector(uniform(pair.vertexProgram, "eyePosition", 3), Vector3(10 - 100, 20 + 40, 30 - 7));
    finish();
}

TEST_F(LightingUpload, UniformScaleDividesBothByTheFactor) {
    upload(scaling(4.0f));
    expectVector(uniform(pair.vertexProgram, "lightPosition", 3), Vector3(125, 162.5f, 62.5f));
    expectVector(uniform(pair.vertexProgram, "eyePosition", 3), Vector3(2.5f, 5, 7.5f));
    finish();
}

TEST_F(LightingUpload, RotationTurnsBothBackAboutTheAxis) {
    const float angle = 0.5f;
    upload(xRotation(angle));
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    // The inverse of a rotation about x by angle is the rotation by -angle.
    expectVector(uniform(pair.vertexProgram, "lightPosition", 3), Vector3(500, c * 650 + s * 250, -s * 650 + c * 250));
    expectVector(uniform(pair.vertexProgram, "eyePosition", 3), Vector3(10, c * 20 + s * 30, -s * 20 + c * 30));
    finish();
}

TEST_F(LightingUpload, ModelViewProjEqualsTheGlMatrixProduct) {
    const Matrix4 model = translation(Vector3(1, 2, 3));
    upload(model);
    Matrix4 projection;
    Matrix4 modelView;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    const Matrix4 expected = product(projection, modelView);
    const std::vector<float> sent = uniform(pair.vertexProgram, "modelViewProj", 16);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(sent[i], expected[i], 1e-4f) << i;
    finish();
}

TEST_F(LightingUpload, UnknownCameraModeSendsTheOrigin) {
    appState.scene->cameraMode = static_cast<CameraMode>(7);
    upload(Matrix4());
    expectVector(uniform(pair.vertexProgram, "eyePosition", 3), Vector3(0, 0, 0));
    finish();
    appState.scene->cameraMode = CameraMode::Fixed;
}

TEST_F(LightingUpload, WithoutALightOnlyTheEyeAndMatrixAreSent) {
    appState.scene->lights.clear();
    upload(Matrix4());
    expectVector(uniform(pair.vertexProgram, "eyePosition", 3), Vector3(10, 20, 30));
    finish();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
