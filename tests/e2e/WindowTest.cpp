// The real program under the suite's Xvfb: its window, first output and frames.
#include <string>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"

namespace {

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string fileBytes(const std::string& path) { return runCommand("cat '" + path + "'"); }

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
    ProgramRun run;
    const std::string window = run.findWindow();
    ASSERT_FALSE(window.empty());
    ASSERT_TRUE(run.waitForOutput("[INFO] Application initialized.", 60.0)) << run.standardError();
    const std::string first = std::string(ZEN_TEST_TMP_DIR) + "/frames-first.png";
    const std::string later = std::string(ZEN_TEST_TMP_DIR) + "/frames-later.png";
    ASSERT_TRUE(run.screenshot(first));
    runCommand("sleep 1.5");
    ASSERT_TRUE(run.screenshot(later));
    // The fighter moves along its path and the frame-rate figure refreshes twice a second.
    EXPECT_NE(fileBytes(first), fileBytes(later));
    EXPECT_FALSE(run.hasExited()) << run.standardError();
}

TEST(ProgramWindow, EndsWithTheShaderErrorWhenResourcesAreMissing) {
    const std::string lonely = std::string(ZEN_TEST_TMP_DIR) + "/no-resources/bin";
    runCommand("mkdir -p '" + lonely + "'");
    ProgramRun run(lonely);
    EXPECT_EQ(run.waitForExit(60.0), 1);
    const std::string out = run.standardOutput();
    EXPECT_NE(out.find("[INFO] DevIL initialized."), std::string::npos) << out;
    EXPECT_NE(out.find("../resources/shader/vp_pass.cg: "), std::string::npos) << out;
    EXPECT_EQ(out.find("[INFO] Application initialized."), std::string::npos);
}
