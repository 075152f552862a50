#pragma once

#include <string>

#include "app/FramePass.h"
#include "run/Results.h"

// --benchmark: the tour's counted frames, each timed from the swap of the one
// before it (or from the end of its flight's settling) to its own swap, less
// the time of what is not the frame's own (its capture). Prints a header, a
// line per scene with each pass's GPU time and the CPU time under it, and the
// score.

// Keeps the setting and prepares the pass timer; one warning line when the
// driver has no timer queries.
void beginBenchmark(const BenchmarkSetting& setting);
// At a scene's first counted frame, drawn at `width` by `height`: the header
// before the first scene, and on a terminal the scene's name until its figures come.
void beginBenchmarkScene(const std::string& name, int width, int height);
// At each flight's first counted frame.
void startFrameClock();
// Around work that is not the frame's own.
void pauseFrameClock();
void resumeFrameClock();
// The frame hook's marks, for counted frames.
void markBenchmarkPass(FramePass pass);
// After each counted frame's swap, with the size it was drawn at.
void timeShownFrame(int width, int height);
// Seconds of frames the current scene has timed so far.
double sceneSecondsTimed();
void endBenchmarkScene(long flights);
// Prints the score and writes the results file, if any; the run's exit status.
int endBenchmark(const std::string& resultsFile);
