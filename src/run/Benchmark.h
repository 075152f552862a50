#pragma once

#include <string>

#include "run/Results.h"

// --benchmark: the tour's counted frames, each timed from the swap of the one
// before it (or from the end of its scene's settling) to its own swap, less
// the time its capture took. Prints a header, a line per scene and the score.

void beginBenchmark(const BenchmarkSetting& setting);
void startFrameClock();
void leaveOutOfFrameTime(double seconds);
void timeShownFrame();
void endBenchmarkScene(const std::string& name);
// Prints the score and writes the results file, if any; the run's exit status.
int endBenchmark(const std::string& resultsFile);
