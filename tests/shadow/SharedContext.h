#pragma once

#include "support/GlContext.h"

// One window for the whole program: the shader runtime keeps its programs in it.
inline GlContext& sharedContext() {
    static GlContext* context = new GlContext(128, 128);
    return *context;
}
