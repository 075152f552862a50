#include <vector>

#include <gtest/gtest.h>

#include "run/FrameStatistics.h"

TEST(FrameStatistics, OfKnownFrameTimes) {
    const struct {
        std::vector<double> seconds;  // in the order drawn
        double fps, median, p95, max;  // median, p95 and max in milliseconds
    } cases[] = {
        {{0.030, 0.010, 0.020}, 50.0, 20.0, 30.0, 30.0},
        {{0.050, 0.010, 0.040, 0.020, 0.030}, 5.0 / 0.150, 30.0, 50.0, 50.0},
        {{0.040, 0.010, 0.030, 0.020}, 40.0, 25.0, 40.0, 40.0},
        {{0.025}, 40.0, 25.0, 25.0, 25.0},
        {std::vector<double>(7, 0.010), 100.0, 10.0, 10.0, 10.0},
        // 20 frames: the 95th percentile by nearest rank is the 19th of them in order.
        {{0.001, 0.002, 0.003, 0.004, 0.005, 0.006, 0.007, 0.008, 0.009, 0.010, 0.011, 0.012, 0.013, 0.014, 0.015,
          0.016, 0.017, 0.018, 0.019, 0.100},
         20.0 / 0.290, 10.5, 19.0, 100.0},
    };
    for (const auto& c : cases) {
        const FrameStatistics s = frameStatistics(c.seconds);
        SCOPED_TRACE(c.seconds.size());
        EXPECT_EQ(s.frames, static_cast<long>(c.seconds.size()));
        EXPECT_NEAR(s.framesPerSecond, c.fps, 1e-9);
        EXPECT_NEAR(s.medianMilliseconds, c.median, 1e-9);
        EXPECT_NEAR(s.p95Milliseconds, c.p95, 1e-9);
        EXPECT_NEAR(s.maxMilliseconds, c.max, 1e-9);
    }
    EXPECT_EQ(frameStatistics({}).framesPerSecond, 0.0);
}
