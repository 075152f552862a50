#pragma once

#include "run/CommandLine.h"

// The run the command line asks for, around the program's own start-up and
// main loop: a frame limit, a fixed step, the benchmark, capture, validation,
// an off-screen target. Each call is for main, in this order.

// --help, --version, --list-scenes and refusals need no display; true when one
// of them ends the run, with its exit status in `status`.
bool answeredWithoutDisplay(const CommandLine& line, int& status);
// Before the toolkit starts: keeps the options and sets the program's run hooks.
void configureRun(const Options& options);
// After glutInit, before the window: its size, place and display mode. Ends
// the process with status 1 when the driver cannot give the samples asked for.
void prepareWindow();
// After the window is made and its callbacks are registered: full screen,
// swap interval, a hidden window for an off-screen run.
void windowCreated();
// After start-up, just before the main loop.
void beginRun();
