#pragma once

#include "platform/window/WindowSystem.h"

// A context of EGL without a window: frames go to a framebuffer object and are
// never shown, so there is nothing to swap, redisplay, point at or write on.
extern const WindowSystem kEglWindowSystem;
