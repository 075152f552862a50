#pragma once

#include <vector>

// The figures of a run of frames, from each frame's time in seconds.
struct FrameStatistics {
    long frames = 0;
    double framesPerSecond = 0.0;     // frames over their total time; 0 when that is 0
    double medianMilliseconds = 0.0;  // the mean of the middle two for an even count
    double p95Milliseconds = 0.0;     // nearest rank
    double maxMilliseconds = 0.0;
};

FrameStatistics frameStatistics(std::vector<double> frameSeconds);
