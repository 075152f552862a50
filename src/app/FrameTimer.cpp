#include "app/FrameTimer.h"

#include <cstdint>

#include "platform/os/Clock.h"

double FrameTimer::secondsPerTick = 0.0;

double FrameTimer::counterSeconds() {
    std::int64_t ticks = 0;
    // Without the counter its frequency is unknown too, so secondsPerTick is 0.001
    // and the millisecond clock gives seconds.
    const double counter = queryPerformanceCounter(ticks) ? static_cast<double>(ticks)
                                                          : static_cast<double>(fallbackClockMilliseconds());
    return counter * secondsPerTick;
}

void FrameTimer::start() {
    startSeconds = 0.0;
    stopSeconds = 0.0;
    running = false;
    if (secondsPerTick <= 0.0) {
        secondsPerTick = 0.001;
        std::int64_t frequency = 0;
        if (queryPerformanceFrequency(frequency) && frequency > 0)
            secondsPerTick = 1.0 / static_cast<double>(frequency);
    }
    restart();
}

void FrameTimer::restart() {
    running = true;
    startSeconds = stopSeconds = counterSeconds();
}

double FrameTimer::elapsedSeconds() const {
    if (!running) return stopSeconds - startSeconds;
    return counterSeconds() - startSeconds;
}
