// Object placement and its fixed-function lighting, read back from Mesa's state.
#include <gtest/gtest.h>

#include "scene/Object.h"
#include "scene/ObjectLight.h"
#include "support/GlContext.h"

namespace {

// Records the state that draw runs under.
class ProbeObject : public Object {
public:
    float modelview[16] = {};
    GLboolean lighting = GL_FALSE;
    float lightAmbient[4] = {};
    float lightPosition[4] = {};
    float materialDiffuse[4] = {};

    void draw() override {
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
        lighting = glIsEnabled(GL_LIGHTING);
        glGetLightfv(GL_LIGHT2, GL_AMBIENT, lightAmbient);
        glGetLightfv(GL_LIGHT2, GL_POSITION, lightPosition);
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
    }
};

void expectMatrix(const float* actual, const Matrix4& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << i;
}

class ObjectRender : public testing::Test {
protected:
    GlContext context;
    ProbeObject object;
    Matrix4 parent = product(translation(Vector3(0, 0, -20)), xRotation(0.5f));

    ObjectRender() {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        object.rotation = xRotation(0.25f);
    }
};

}  // namespace

TEST_F(ObjectRender, PlacesUnderTheParentAndRestoresTheMatrix) {
    object.renderPlaced(parent);
    expectMatrix(object.modelview, product(parent, object.rotation));
    expectMatrix(object.worldMatrix.data(), product(parent, object.rotation));
    object.position = Vector3(0, 0, 0.001f);
    object.renderPlaced(parent);
    expectMatrix(object.modelview, product(parent, product(translation(object.position), object.rotation)));
    float after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    expectMatrix(after, Matrix4());
    EXPECT_EQ(object.lighting, GL_FALSE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ObjectRender, LightsAndMaterialAroundDraw) {
    ObjectLight light;
    light.glLight = GL_LIGHT2;
    light.position = Vector3(1, 2, 3);
    light.ambient = {255, 128, 0, 255};
    object.lightMatrix = translation(Vector3(10, 0, 0));
    object.lights[0] = &light;
    object.lightCount = 1;
    object.lightingEnabled = 1;
    object.diffuse = {51, 102, 255, 0};
    object.renderPlaced(Matrix4());

    EXPECT_EQ(object.lighting, GL_TRUE);
    EXPECT_FLOAT_EQ(object.lightAmbient[0], 1.0f);
    EXPECT_FLOAT_EQ(object.lightAmbient[1], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(object.lightAmbient[2], 0.0f);
    EXPECT_FLOAT_EQ(object.lightPosition[0], 11.0f);  // through the light matrix
    EXPECT_FLOAT_EQ(object.lightPosition[3], 1.0f);
    EXPECT_NEAR(object.materialDiffuse[0], 0.2f, 1e-6f);
    EXPECT_NEAR(object.materialDiffuse[2], 1.0f, 1e-6f);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));  // the lights stay on
    float shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(shininess, 120.0f);

    object.lightCount = 99;  // more than the eight slots: only the filled ones are used
    object.renderPlaced(Matrix4());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
