#pragma once

#include "MeshBuilder.h"

// Where each part of the fighter lies in its 1024x1024 texture.
namespace fighter_atlas {
const UvRect kFuselage{0.0f, 0.5f, 1.0f, 1.0f};
const UvRect kWing{0.0f, 0.25f, 0.5f, 0.5f};
const UvRect kFin{0.5f, 0.25f, 0.75f, 0.5f};
const UvRect kCanopy{0.75f, 0.25f, 1.0f, 0.5f};
const UvRect kNacelle{0.0f, 0.0f, 0.5f, 0.25f};
const UvRect kCannon{0.5f, 0.0f, 0.75f, 0.25f};
const UvRect kExhaust{0.75f, 0.0f, 0.875f, 0.125f};
const UvRect kIntake{0.875f, 0.0f, 1.0f, 0.125f};
const UvRect kPlate{0.75f, 0.125f, 1.0f, 0.25f};
}  // namespace fighter_atlas
