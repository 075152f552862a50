// Object placement and its fixed-function lighting, read back from Mesa's state.
#include <gtest/gtest.h>

#include "scene/Object.h"
#include "scene/ObjectLight.h"
#include "support/ExpectNear.h"
#include "support/GlContext.h"

namespace {

// Records the state that draw runs under.
class ProbeObject : public Object {
public:
    Matrix4 modelview;
    GLboolean lighting = GL_FALSE;
    float lightAmbient[4] = {};
    float lightPosition[4] = {};

    void draw() override {
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
        lighting = glIsEnabled(GL_LIGHTING);
        glGetLightfv(GL_LIGHT2, GL_AMBIENT, lightAmbient);
        glGetLightfv(GL_LIGHT2, GL_POSITION, lightPosition);
    }
};

}  // namespace

TEST(Object, PlacesUnderTheParentLightsAroundDrawAndRestoresState) {
    GlContext context;
    glLoadIdentity();
    ProbeObject object;
    object.rotation = xRotation(0.25f);
    const Matrix4 parent = product(translation(Vector3(0, 0, -20)), xRotation(0.5f));
    object.renderPlaced(parent);
    expectNear(object.modelview, product(parent, object.rotation));
    EXPECT_EQ(object.lighting, GL_FALSE);
    object.position = Vector3(0, 0, 0.001f);
    object.renderPlaced(parent);
    expectNear(object.worldMatrix, product(parent, product(translation(object.position), object.rotation)));

    ObjectLight light;
    light.glLight = GL_LIGHT2;
    light.position = Vector3(1, 2, 3);
    light.ambient = {255, 128, 0, 255};
    object.lightMatrix = translation(Vector3(10, 0, 0));
    object.lights[0] = &light;
    object.lightCount = 99;  // more than the eight slots: only the filled ones are used
    object.lightingEnabled = 1;
    object.diffuse = {51, 102, 255, 0};
    object.position = Vector3(0, 0, 0);
    object.renderPlaced(Matrix4());
    EXPECT_EQ(object.lighting, GL_TRUE);
    EXPECT_FLOAT_EQ(object.lightAmbient[1], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(object.lightPosition[0], 11.0f);  // through the light matrix
    float diffuse[4], shininess = 0;
    Matrix4 after;
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_NEAR(diffuse[0], 0.2f, 1e-6f);
    EXPECT_FLOAT_EQ(shininess, 120.0f);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));  // the lights stay on
    glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
    expectNear(after, Matrix4());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
