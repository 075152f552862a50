#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/Scene.h"
#include "platform/cg/CgRecords.h"
#include "shading/LightingParameters.h"
#include "shading/ShaderProgram.h"
#include "support/ExpectNear.h"
#include "support/GlContext.h"

namespace {

TEST(MultiplyRows, ReadsEachStoredColumnAsARowAndUndoesTheModelMatrix) {
    Matrix4 m;
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(i + 1);
    const Vector4 r = multiplyRows(m, Vector4(1, 2, 3, 4));
    EXPECT_FLOAT_EQ(r.x, 1 * 1 + 2 * 2 + 3 * 3 + 4 * 4);
    EXPECT_FLOAT_EQ(r.w, 13 * 1 + 14 * 2 + 15 * 3 + 16 * 4);
    EXPECT_FLOAT_EQ(multiplyRowsDirection(m, Vector3(1, 2, 3)).z, 9 + 20 + 33);
    EXPECT_FLOAT_EQ(multiplyRowsPoint(m, Vector3(1, 2, 3)).y, 5 + 12 + 21 + 8);

    Matrix4 model = translation(Vector3(3, -4, 5));
    model.multiply(xRotation(0.7f));
    model.multiply(scaling(2.5f));
    expectNear(multiplyRows(objectSpaceMatrix(model), transformPoint(model, Vector4(1, 2, 3, 1))).xyz(), Vector3(1, 2, 3));
    Matrix4 singular;
    singular[0] = 0;
    EXPECT_FLOAT_EQ(multiplyRows(objectSpaceMatrix(singular), Vector4(7, 8, 9, 0)).z, 9);
}

struct Placement {
    const char* name;
    Matrix4 model;
    Vector3 light;  // expected object-space values
    Vector3 eye;
};

// A bound bump pair under a perspective view, with the scene's light and a fixed eye.
class UploadScene {
protected:
    GlContext gl{32, 32};
    ShaderProgram pair{"../resources/shader/vp_bump.cg", "../resources/shader/fp_bump.cg"};

    UploadScene() {
        Light light;
        light.position = {500, 650, 250, 0};
        light.diffuse = {0.6f, 0.6f, 0.6f, 1};
        light.specular = {0.9f, 0.9f, 0.9f, 1};
        light.shininess = 32.9f;
        appState.scene->lights = {light};
        appState.scene->cameraMode = CameraMode::Fixed;
        appState.scene->fixedEye = Vector3(10, 20, 30);
        glMatrixMode(GL_PROJECTION);
        glFrustum(-1, 1, -1, 1, 1, 1000);
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(0, 0, -50);
    }

    ~UploadScene() { appState.scene->lights.clear(); }

    // A float uniform of up to 16 components, in the first floats of the matrix.
    Matrix4 uniform(CGprogram program, const char* name) {
        Matrix4 values;
        glGetUniformfv(program->program, glGetUniformLocation(program->program, name), values.data());
        return values;
    }

    void expectVector(CGprogram program, const char* name, const Vector3& expected) {
        SCOPED_TRACE(name);
        expectNear(uniform(program, name).columns[0].xyz(), expected, 1e-3f);
    }

    // Places the model on the GL stack and uploads with the pair bound, as the renderer does.
    void upload(const Matrix4& model) {
        pair.bind();
        glPushMatrix();
        glMultMatrixf(model.data());
        setLightingParameters(pair, model);
    }
};

class LightingUpload : public testing::TestWithParam<Placement>, protected UploadScene {};
class LightingFallbacks : public testing::Test, protected UploadScene {};

TEST_P(LightingUpload, SendsLightAndEyeInObjectSpaceWithTheMatrixAndColours) {
    upload(GetParam().model);
    expectVector(pair.vertexProgram, "lightPosition", GetParam().light);
    expectVector(pair.vertexProgram, "eyePosition", GetParam().eye);
    expectVector(pair.fragmentProgram, "diffuseCoeff", Vector3(0.6f, 0.6f, 0.6f));
    expectVector(pair.fragmentProgram, "specularCoeff", Vector3(0.9f, 0.9f, 0.9f));
    GLint shininess = 0;
    const GLuint fragment = pair.fragmentProgram->program;
    glGetUniformiv(fragment, glGetUniformLocation(fragment, "shininess"), &shininess);
    EXPECT_EQ(shininess, 32);
    Matrix4 projection, modelView;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    expectNear(uniform(pair.vertexProgram, "modelViewProj"), product(projection, modelView), 1e-4f);
    glPopMatrix();
    pair.unbind();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

const float c = std::cos(0.5f);
const float s = std::sin(0.5f);

INSTANTIATE_TEST_SUITE_P(
    Placements, LightingUpload,
    testing::Values(Placement{"identity", Matrix4(), {500, 650, 250}, {10, 20, 30}},
                    Placement{"translated", translation(Vector3(100, -40, 7)), {500, 650, 250}, {-90, 60, 23}},
                    Placement{"scaled", scaling(4.0f), {125, 162.5f, 62.5f}, {2.5f, 5, 7.5f}},
                    // The inverse of a rotation about x is the rotation by the opposite angle.
                    Placement{"rotated", xRotation(0.5f), {500, c * 650 + s * 250, -s * 650 + c * 250},
                              {10, c * 20 + s * 30, -s * 20 + c * 30}}),
    [](const testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

TEST_F(LightingFallbacks, UnknownCameraModeSendsTheOriginAndNoLightSendsNoLightValues) {
    appState.scene->cameraMode = static_cast<CameraMode>(7);
    upload(Matrix4());
    expectVector(pair.vertexProgram, "eyePosition", Vector3(0, 0, 0));
    glPopMatrix();
    appState.scene->cameraMode = CameraMode::Fixed;
    appState.scene->lights.clear();
    upload(translation(Vector3(1, 2, 3)));
    expectVector(pair.vertexProgram, "eyePosition", Vector3(9, 18, 27));
    expectVector(pair.vertexProgram, "lightPosition", Vector3(500, 650, 250));  // the earlier upload stays
    glPopMatrix();
    pair.unbind();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
