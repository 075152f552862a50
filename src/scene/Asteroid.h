#pragma once

#include <GL/glew.h>

#include "math/Matrix4.h"
#include "math/Vector3.h"

class Model3ds;

// One tumbling rock of the asteroid field.
struct Asteroid {
    Vector3 position;
    Vector3 rotation;  // degrees; only x is used
    Vector3 direction;  // unit length or zero
    float speed = 0.0f;
    float rotationSpeed = 0.0f;  // degrees per second
    float scale = 1.0f;
    Model3ds* model = nullptr;  // shared, owned by the field
    Matrix4 modelMatrix;
    GLuint decalTexture = 0;
    GLuint normalTexture = 0;  // 0 when the field has no normal maps
};

// The spawn box and the random ranges of a field.
struct AsteroidBounds {
    int range = 300;
    float speedBase = 30.0f;
    float scaleBase = 10.0f;
};

// A source of non-negative random integers, such as std::rand.
using RandomSource = int (*)();

// A fresh random place, direction, spin, size and speed: ten draws, in a fixed order.
void respawn(Asteroid& asteroid, const AsteroidBounds& bounds, RandomSource random);
// True when the asteroid has left the box x in [-range, range], y in [-50, 100], z in [-2 range, 0].
bool outsideBox(const Asteroid& asteroid, int range);
// Moves and spins the asteroid by one step of dt seconds (no respawn).
void advance(Asteroid& asteroid, float dt);
// translation(position) * xRotation(rotation.x) * scaling(scale).
Matrix4 asteroidModelMatrix(const Asteroid& asteroid);
