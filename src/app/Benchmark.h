#pragma once

struct Options;

// --benchmark: a fixed tour of named scenes, each a fixed number of frames with
// a fixed seed and step, so that every run draws the same frames. The first
// frame is drawn before the tour and not timed. With --frames N every scene is
// N frames long instead.

// Gives the options the tour's seed and step; before start-up.
void configureTour(Options& options);
// Leaves the keyboard nothing but Escape and the mouse nothing: input would
// change the tour. After the window's callbacks are registered.
void beginTour();
// Before the step that leads to the next frame: puts the scene of that frame in place.
void prepareTourStep();
// After each swap: times the frame; prints each scene's line as it ends and, at
// the end of the tour, the score; writes the results file and ends the run
// (status 1 when the file cannot be written).
void timeTourFrame();

