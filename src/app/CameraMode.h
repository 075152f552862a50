#pragma once

#include <cstdint>

// Which camera makes the view.
enum class CameraMode : std::int32_t {
    Fixed = 0,   // from Scene::fixedEye at Scene::fixedTarget
    Fly = 1,     // the free camera
    Follow = 2,  // the camera trailing the player
};
