#pragma once

#include "platform/cg/Cg.h"

// The process's one shader context with the card's latest vertex and fragment profiles.
struct ShaderContext {
    CGcontext context = nullptr;
    CGprofile vertexProfile = CG_PROFILE_UNKNOWN;
    CGprofile fragmentProfile = CG_PROFILE_UNKNOWN;

    // Created on the first call; ends the process when the card lacks a profile.
    static ShaderContext& instance();
};
