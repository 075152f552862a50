#pragma once

#include "run/CommandLine.h"
#include "run/RunWindow.h"

// The run the command line asks for, around the program's own start-up and
// main loop: a frame limit, a fixed step, the benchmark, capture, validation,
// an off-screen target. Each call is for main, in this order.

// --help, --version, --list-scenes and refusals need no display; true when one
// of them ends the run, with its exit status in `status`.
bool answeredWithoutDisplay(const CommandLine& line, int& status);
// Before the toolkit starts: keeps the options and sets the program's run hooks.
void configureRun(const Options& options);
// Then prepareWindow(), windowCreated() and, after start-up,
// takeOverWindowCallbacks() of run/RunWindow.h; or runHeadless() of
// run/HeadlessRun.h, which calls start-up and beginRun() itself.
// After start-up, just before the main loop.
void beginRun();
