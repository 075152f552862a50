#pragma once

#include "camera/FlyCam.h"
#include "math/Matrix4.h"

// A camera that trails a subject from behind, looking a little ahead of itself at it.
class FollowCam : public FlyCam {
public:
    Vector3 target;          // behind the subject, where the position spring pulls
    Vector3 previousTarget;
    Matrix4 viewMatrix;      // identity until the first follow step
    float followDistance = -40.0f;  // along the subject's forward; negative is behind

    FollowCam() = default;

    // Springs towards the point behind `subject` and rebuilds viewMatrix.
    void follow(const FlyCam& subject, float dt);
};
