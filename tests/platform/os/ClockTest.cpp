#include <chrono>
#include <cstdint>
#include <thread>

#include <gtest/gtest.h>

#include "platform/os/Clock.h"

TEST(TickCount, CountsMillisecondsFromProcessStart) {
    const std::uint32_t before = tickCountMilliseconds();
    // The origin is the start of this process, not of the machine.
    EXPECT_LT(before, 60u * 1000u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::uint32_t after = tickCountMilliseconds();
    EXPECT_GE(after - before, 30u);
    EXPECT_LT(after - before, 1000u);
}

TEST(TickCount, StepAcrossTheWrapIsTheTrueSmallStep) {
    EXPECT_FLOAT_EQ(tickSecondsBetween(1000u, 1016u), 0.016f);
    EXPECT_FLOAT_EQ(tickSecondsBetween(0xFFFFFFF0u, 0x00000010u), 0.032f);
    EXPECT_EQ(tickSecondsBetween(500u, 500u), 0.0f);
}

TEST(PerformanceCounter, TicksAtItsStatedFrequency) {
    std::int64_t frequency = 0, first = 0, second = 0;
    ASSERT_TRUE(queryPerformanceFrequency(frequency));
    ASSERT_TRUE(queryPerformanceCounter(first));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(queryPerformanceCounter(second));
    const double seconds = static_cast<double>(second - first) / static_cast<double>(frequency);
    EXPECT_GE(seconds, 0.020);
    EXPECT_LT(seconds, 0.5);
}

TEST(FallbackClock, CountsWallClockMillisecondsWhileTheProcessSleeps) {
    const std::int64_t before = fallbackClockMilliseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // no processor time passes
    const std::int64_t step = fallbackClockMilliseconds() - before;
    EXPECT_GE(step, 49);
    EXPECT_LT(step, 1000);
}
