#include "camera/FollowCam.h"

#include "camera/DampedSpring.h"

void FollowCam::follow(const FlyCam& subject, float dt) {
    previousTarget = target;
    target = subject.position + followDistance * subject.forward;
    position = dampedSpring(position, target, previousTarget, dt, kFollowSpring);
    position += (-followDistance * dt) * subject.up;
    const Vector3 lookedAt = subject.position + (0.25f * followDistance) * subject.forward;
    viewMatrix = lookAt(lookedAt, position, Vector3(0.0f, 1.0f, 0.0f));
}
