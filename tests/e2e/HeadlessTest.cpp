// Runs without any window system: the context comes from EGL, and DISPLAY is
// unset or leads nowhere.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/Scratch.h"

namespace {

struct Ended {
    int status;
    std::string out, err;
};

// The staged program through env(1): `environment` holds its changes ("-u", "DISPLAY", "NAME=value", ...).
Ended runWith(const std::vector<std::string>& environment, const std::vector<std::string>& arguments) {
    std::vector<std::string> command = environment;
    command.push_back(ZEN_BIN_DIR "/zendrils");
    command.insert(command.end(), arguments.begin(), arguments.end());
    ProgramRun run(ZEN_BIN_DIR, "/usr/bin/env", command);
    const int status = run.waitForExit(100.0);
    return {status, run.standardOutput(), run.standardError()};
}

std::string frameName(int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06d.png", frame);
    return name;
}

}  // namespace

// The same run draws the same bytes headless as off screen beside a window, and
// a headless validation passes where DISPLAY names no server at all.
TEST(Headless, DrawsTheWindowsOffScreenFramesByteForByteAndPassesValidation) {
    const std::string headless = freshScratchFolder("headless"), windowed = freshScratchFolder("windowed");
    const std::vector<std::string> run = {"--off-screen", "--seed", "7", "--step", "40", "--no-overlay",
                                          "--size", "320x240", "--frames", "30", "--capture"};
    std::vector<std::string> arguments = run;
    arguments.push_back(headless);
    ASSERT_EQ(runWith({"-u", "DISPLAY"}, arguments).status, 0);
    arguments.back() = windowed;
    ASSERT_EQ(runWith({}, arguments).status, 0);
    ASSERT_EQ(namesIn(headless).size(), 30u);
    for (int frame = 1; frame <= 30; ++frame)
        EXPECT_TRUE(readFile(headless + frameName(frame)) == readFile(windowed + frameName(frame))) << frame;

    const Ended validation = runWith({"DISPLAY=:9999"}, {"--headless", "--validate", "--info"});
    EXPECT_EQ(validation.status, 0) << validation.out << validation.err;
    EXPECT_NE(validation.out.find("validate: 12 of 12 frames pass\n"), std::string::npos) << validation.out;
    EXPECT_EQ(validation.err, "");
}

// Without an EGL library, or with one that finds no device or display: one
// line naming what is missing, status 1, and nothing drawn.
TEST(Headless, AMachineWithoutUsableEglGetsOneLine) {
    writeScratchFile("no-egl/libEGL.so.1", "");  // the loader refuses an empty library
    const struct {
        std::string environment;
        std::string err;
    } cases[] = {
        {"LD_LIBRARY_PATH=" + scratchPath("no-egl"),
         "[ERROR] Initializing EGL failed: no EGL library (libEGL.so.1; Debian's package libegl1)\n"},
        {"__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json",
         "[ERROR] Initializing EGL failed: no usable EGL device or display (EGL_EXT_platform_device, "
         "EGL_MESA_platform_surfaceless)\n"},
    };
    const std::string folder = freshScratchFolder("frames");
    for (const auto& c : cases) {
        const Ended ended =
            runWith({"-u", "DISPLAY", c.environment}, {"--off-screen", "--frames", "1", "--capture", folder});
        EXPECT_EQ(ended.status, 1) << c.environment;
        EXPECT_EQ(ended.out, "[INFO] Initializing EGL ...\n");
        EXPECT_EQ(ended.err, c.err);
    }
    EXPECT_TRUE(namesIn(folder).empty());
}
