#pragma once

// Stopwatch on the high-resolution counter, for the frame rate.
class FrameTimer {
public:
    static double secondsPerTick;  // 0 until the first start
    double startSeconds = 0.0;
    double stopSeconds = 0.0;
    bool running = false;

    void start();
    // Steps 3 to 5 of start: restart without recomputing secondsPerTick.
    void restart();
    double elapsedSeconds() const;

private:
    static double counterSeconds();
};
