#pragma once

#include <array>

#include "app/FramePass.h"

// The GPU time of each pass of the benchmark's timed frames: a time-elapsed
// query a pass (GL_ARB_timer_query, or OpenGL 3.3), read back frames later,
// so that no query waits for the GPU while frames are timed.

// A scene's figure for one pass.
struct PassTime {
    bool drawn = false;    // some timed frame of the scene drew the pass
    bool missing = false;  // a result never came (a driver's fault): no figure, never 0
    double medianMilliseconds = 0.0;
};
using PassTimes = std::array<PassTime, kFramePassCount>;

// Prepares the queries; false when the driver offers no timer queries, and
// then nothing is measured.
bool startPassTimer();
// The frame's hook, for timed frames: ends the query of the running pass and
// begins the next one's.
void markPass(FramePass pass);
// The passes of every frame marked since the last call, read back (waiting for
// those still on their way, not past the end of the drawing) and summed up.
PassTimes endPassTimerScene();
