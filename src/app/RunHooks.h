#pragma once

#include "app/FramePass.h"

// How a run driven from outside (a frame limit, a fixed step, the benchmark,
// capture, validation) takes part in the program's start-up, idle step and
// frame. The defaults leave the program as it is without options.
struct RunHooks {
    // After the extension loader and the image library have started, before
    // anything is loaded: the place to seed the random generator or report the driver.
    void (*afterLibrariesStart)() = nullptr;
    // Before each idle step's update, with the measured step time, which it may
    // replace; false skips the update.
    bool (*beforeStep)(float& dt) = nullptr;
    // The finished frame, before it is shown.
    void (*beforeSwap)() = nullptr;
    // After the frame has been shown.
    void (*afterSwap)() = nullptr;
    // Where each pass of the frame begins, and where the last ends (FramePass::Done).
    void (*passBegins)(FramePass pass) = nullptr;

    // The idle step draws the frame itself instead of asking the toolkit to,
    // so that frames come whatever the window's state.
    bool drawsFromIdle = false;
    // The frame ends with a swap of the window's buffers (false when drawing elsewhere).
    bool swapsBuffers = true;
    // The frame-rate figure is drawn over the frame.
    bool showsFrameRate = true;
};
