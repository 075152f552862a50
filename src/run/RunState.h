#pragma once

#include <cstdint>

#include "platform/egl/EglContext.h"
#include "run/Options.h"

// The run as the command line set it, shared by the run's hooks and its window.
struct RunState {
    Options options;
    bool tour = false;                  // --benchmark or --validate
    long framesShown = 0;               // counted frames shown so far
    bool frameShowsLatestStep = false;  // with a fixed step, the next step waits for this
    std::uint32_t startTicks = 0;       // tick count when the main loop began
    bool sizeAsked = false;             // by --size or -geometry
    int frameWidth = 1024;              // the asked size, else the default: the frame's size off screen
    int frameHeight = 768;
    EglContext eglContext;              // where a headless run's context came from
};

extern RunState runState;
