#include "scene/Object.h"

#include <algorithm>

#include <GL/glew.h>

#include "scene/ObjectLight.h"

namespace {

void toFloats(const ColorBytes& color, float out[4]) {
    out[0] = color.r / 255.0f;
    out[1] = color.g / 255.0f;
    out[2] = color.b / 255.0f;
    out[3] = color.a / 255.0f;
}

void setUpLight(const ObjectLight& light, const Matrix4& lightMatrix) {
    const GLenum n = light.glLight;
    glEnable(n);
    const Vector4 placed = transformPoint(lightMatrix, Vector4(light.position, 1.0f));
    glLightfv(n, GL_POSITION, placed.data());
    float color[4];
    toFloats(light.ambient, color);
    glLightfv(n, GL_AMBIENT, color);
    toFloats(light.diffuse, color);
    glLightfv(n, GL_DIFFUSE, color);
    const float noSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(n, GL_SPECULAR, noSpecular);
    glLightf(n, GL_LINEAR_ATTENUATION, 0.001f);
}

}  // namespace

Matrix4 placementMatrix(const Vector3& position, const Matrix4& rotation) {
    if (position.x != 0.0f || position.y != 0.0f || position.z != 0.0f) {
        return product(translation(position), rotation);
    }
    return rotation;
}

void Object::renderPlaced(const Matrix4& parent) {
    worldMatrix = product(parent, placementMatrix(position, rotation));
    glPushMatrix();
    glLoadMatrixf(worldMatrix.data());
    if (lightingEnabled) setUpLighting();
    draw();
    if (lightingEnabled) glDisable(GL_LIGHTING);
    glPopMatrix();
}

void Object::setUpLighting() const {
    glEnable(GL_LIGHTING);
    const int count = std::clamp(lightCount, 0, kMaxLights);
    for (int i = 0; i < count; ++i) {
        if (lights[i]) setUpLight(*lights[i], lightMatrix);
    }
    float color[4];
    toFloats(ambient, color);
    glMaterialfv(GL_FRONT, GL_AMBIENT, color);
    toFloats(diffuse, color);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, color);
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
    glMaterialf(GL_FRONT, GL_SHININESS, 120.0f);
}
