// The real program under the suite's Xvfb: its window, first output and frames.
#include <string>

#include <gtest/gtest.h>

#include "support/InitializedProgram.h"
#include "support/Scratch.h"

namespace {

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace

TEST(ProgramWindow, OpensTitledWindowAtRequestedPlaceAndSize) {
    ProgramRun run;
    const std::string window = run.findWindow();
    ASSERT_FALSE(window.empty()) << run.standardError();
    EXPECT_EQ(firstLine(run.standardOutput()), "[INFO] Initializing GLUT ...");

    const WindowGeometry geometry = windowGeometry(window);
    EXPECT_EQ(geometry.title, "The Zendrils are back");
    EXPECT_EQ(geometry.width, 1024);
    EXPECT_EQ(geometry.height, 768);
    EXPECT_EQ(geometry.x, 50);
    EXPECT_EQ(geometry.y, 50);
    EXPECT_FALSE(run.hasExited());
}

TEST(ProgramWindow, KeepsDrawingNewFrames) {
    InitializedProgram run;
    ASSERT_TRUE(run.ready) << run.standardError();
    const std::string first = scratchPath("first.png"), later = scratchPath("later.png");
    ASSERT_TRUE(run.waitForFrames(2) && run.screenshot(first));  // the first frames may be slow to come
    pause(1.5);
    ASSERT_TRUE(run.waitForFrames(2) && run.screenshot(later));
    // The fighter moves along its path and the frame-rate figure refreshes twice a second.
    EXPECT_NE(readFile(first), readFile(later));
}
