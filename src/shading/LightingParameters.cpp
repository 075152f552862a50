#include "shading/LightingParameters.h"

#include "app/AppState.h"
#include "app/Scene.h"
#include "shading/ParameterUploads.h"
#include "shading/ShaderProgram.h"

Vector4 multiplyRows(const Matrix4& m, const Vector4& v) {
    Vector4 r;
    for (int i = 0; i < 4; ++i) {
        r[i] = static_cast<float>(m[4 * i] * v[0] + m[4 * i + 1] * v[1] + m[4 * i + 2] * v[2] + m[4 * i + 3] * v[3]);
    }
    return r;
}

Vector3 multiplyRowsDirection(const Matrix4& m, const Vector3& v) {
    return multiplyRows(m, Vector4(v, 0.0f)).xyz();
}

Vector3 multiplyRowsPoint(const Matrix4& m, const Vector3& v) {
    return multiplyRows(m, Vector4(v, 1.0f)).xyz();
}

Matrix4 objectSpaceMatrix(const Matrix4& model) {
    Matrix4 m = model;
    m.invert();
    m.transpose();
    return m;
}

void setLightingParameters(ShaderProgram& shader, const Matrix4& model) {
    const Scene* scene = appState.scene;
    const Matrix4 toObject = objectSpaceMatrix(model);
    // Start-up fills the light list; before that nothing light-related is sent.
    const Light* light = scene && !scene->lights.empty() ? &scene->lights.front() : nullptr;
    if (light) {
        const Vector4 lightPosition = multiplyRows(toObject, light->position);
        setVector3(shader.vertexProgram, "lightPosition", lightPosition.data());
    }
    const Vector3 eye = scene ? scene->eyePosition() : Vector3(0.0f, 0.0f, 0.0f);
    // A point, unlike the light and multiplyRowsDirection: the object's translation must reach the eye.
    const Vector3 eyePosition = multiplyRowsPoint(toObject, eye);
    setVector3(shader.vertexProgram, "eyePosition", &eyePosition.x);
    if (light) setLightCoefficients(shader.fragmentProgram, *light);
    setModelViewProjection(shader.vertexProgram);
}
