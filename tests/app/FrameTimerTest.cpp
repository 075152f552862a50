#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "app/FrameTimer.h"

TEST(FrameTimer, MeasuresElapsedSecondsSinceTheLatestStart) {
    FrameTimer timer;
    timer.start();
    EXPECT_TRUE(timer.running);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const double elapsed = timer.elapsedSeconds();
    EXPECT_GE(elapsed, 0.020);
    EXPECT_LT(elapsed, 0.5);

    timer.start();
    EXPECT_LT(timer.elapsedSeconds(), elapsed);
}
