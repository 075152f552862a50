#pragma once

#include "math/Vector3.h"

// One control point of a spline file with the tags the file may attach to it.
struct ControlPoint {
    Vector3 position;
    Vector3 normal;         // from an explicit "N:" line
    int pathTag = 0;        // 0 none, 1 no gravity, 2 break
    float breakValue = 0.0f;
    int normalTag = 0;      // 0 none, 1 rotate, 2 explicit normal
    float rotateAngle = 0.0f;
};
