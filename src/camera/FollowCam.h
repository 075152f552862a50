#pragma once

#include "camera/FlyCam.h"
#include "math/Matrix4.h"

class Player;

// Placeholder until the camera classes land.
class FollowCam : public FlyCam {
public:
    Matrix4 viewMatrix;
    float followDistance = -40.0f;
    void follow(Player&, float) {}
};
