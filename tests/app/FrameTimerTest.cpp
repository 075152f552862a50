#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "app/FrameTimer.h"

TEST(FrameTimer, MeasuresElapsedSecondsSinceStart) {
    FrameTimer timer;
    timer.start();
    EXPECT_TRUE(timer.running);
    EXPECT_DOUBLE_EQ(FrameTimer::secondsPerTick, 1e-9);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const double elapsed = timer.elapsedSeconds();
    EXPECT_GE(elapsed, 0.020);
    EXPECT_LT(elapsed, 0.5);

    timer.start();
    EXPECT_LT(timer.elapsedSeconds(), elapsed);
}

TEST(FrameTimer, StoppedTimerReportsItsStoredSpan) {
    FrameTimer timer;
    timer.startSeconds = 2.0;
    timer.stopSeconds = 2.75;
    timer.running = false;
    EXPECT_DOUBLE_EQ(timer.elapsedSeconds(), 0.75);
}
