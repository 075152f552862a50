#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/IdleStep.h"
#include "support/GlContext.h"

TEST(IdleStep, FirstStepMeasuresAlmostNothingThenRealTime) {
    GlContext gl;  // glutPostRedisplay needs a window
    ASSERT_TRUE(appState.firstIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    idleStep();
    EXPECT_FALSE(appState.firstIdle);
    EXPECT_LT(appState.fpsAccumulator, 0.005f);
    EXPECT_GT(appState.lastIdleSeconds, 0.0f);

    const float before = appState.fpsAccumulator;
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    idleStep();
    const float step = appState.fpsAccumulator - before;
    EXPECT_GE(step, 0.039f);
    EXPECT_LT(step, 0.5f);
}
