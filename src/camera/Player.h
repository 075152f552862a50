#pragma once

#include "camera/FlyCam.h"

// Placeholder until the player lands.
class Player : public FlyCam {
public:
    void steer() override {}
    void update(float) {}
};
