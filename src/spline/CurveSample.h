#pragma once

#include "math/Vector3.h"

// One point of the evaluated curve with its moving frame and its distance from the start.
struct CurveSample {
    Vector3 position;
    Vector3 tangent;
    Vector3 normal;
    Vector3 binormal;
    float arcLength = 0.0f;
};
