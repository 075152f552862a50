#pragma once

#include "math/Vector4.h"

// A light of the scene: position (w = 0 for a directional light) and colours.
struct Light {
    Vector4 position;
    Vector4 ambient;
    Vector4 diffuse;
    Vector4 specular;
    float shininess = 0.0f;
};
