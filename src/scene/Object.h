#pragma once

#include "math/Matrix4.h"
#include "math/Vector3.h"

class ObjectLight;

// An RGBA colour stored as bytes; handed to OpenGL as byte / 255.
struct ColorBytes {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    unsigned char a = 0;
};

// Base of drawable objects: a placement, the matrix it was last drawn with and
// an optional fixed-function lighting set-up. Subclasses supply the geometry.
class Object {
public:
    static constexpr int kMaxLights = 8;

    Vector3 position;
    Matrix4 rotation;
    Matrix4 worldMatrix;
    Matrix4 lightMatrix;  // applied to each light's position
    int lightingEnabled = 0;
    ColorBytes ambient;
    ColorBytes diffuse;
    ObjectLight* lights[kMaxLights] = {};  // not owned
    int lightCount = 0;

    Object() = default;
    virtual ~Object() = default;

    // Draws the geometry in the object's own coordinates.
    virtual void draw() = 0;
    // Loads parent * translation * rotation as the modelview matrix, lights the
    // object if asked and draws it. `parent` must hold the viewing transform.
    virtual void renderPlaced(const Matrix4& parent);

private:
    void setUpLighting() const;
};

// The composed placement: translation(position) * rotation, or rotation alone at the origin.
Matrix4 placementMatrix(const Vector3& position, const Matrix4& rotation);
