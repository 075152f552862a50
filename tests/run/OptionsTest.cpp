// The command line: good values as parsed, and every refusal as the real
// program gives it, without a display.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run/CommandLine.h"
#include "support/ProgramRun.h"
#include "support/Scratch.h"

namespace {

CommandLine parsed(std::vector<std::string> arguments) {
    static std::vector<std::string> kept;  // argv points into it
    kept = std::move(arguments);
    kept.insert(kept.begin(), "zendrils");
    std::vector<char*> argv;
    for (std::string& argument : kept) argv.push_back(argument.data());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

struct Outcome {
    std::string out, err, status;
};

// The staged program with DISPLAY unset, so that nothing it answers can need a window.
Outcome runWithoutDisplay(const std::string& arguments) {
    const std::string out = scratchPath("out"), err = scratchPath("err");
    const std::string status = runCommand("cd " ZEN_BIN_DIR " && env -u DISPLAY ./zendrils " + arguments + " >'" +
                                          out + "' 2>'" + err + "'; printf %s $?");
    return {readFile(out), readFile(err), status};
}

}  // namespace

TEST(Options, GoodValuesInBothFormsAndTheToolkitsOptionsPassedOn) {
    const CommandLine line = parsed({"--size=800x600", "--seed", "42", "--step", "12.5", "--frames=7", "-geometry",
                                     "640x480+10+20", "--duration", "0.5", "-iconic", "--fullscreen", "--info"});
    ASSERT_EQ(line.error, "");
    const Options& o = line.options;
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    EXPECT_TRUE(o.seedGiven);
    EXPECT_EQ(o.seed, 42u);
    EXPECT_DOUBLE_EQ(o.stepMilliseconds, 12.5);
    EXPECT_EQ(o.frames, 7);
    EXPECT_DOUBLE_EQ(o.durationSeconds, 0.5);
    EXPECT_TRUE(o.fullscreen && o.info);
    EXPECT_EQ(o.geometry, "640x480+10+20");
    ASSERT_EQ(line.toolkitArguments.size(), 5u);
    EXPECT_STREQ(line.toolkitArguments[1], "-geometry");
    EXPECT_STREQ(line.toolkitArguments[2], "640x480+10+20");
    EXPECT_STREQ(line.toolkitArguments[3], "-iconic");
    EXPECT_EQ(line.toolkitArguments[4], nullptr);

    const CommandLine abbreviated =
        parsed({"--bench", "--fr=3", "--scene", "planet,asteroids", "--off", "--swap", "1"});
    ASSERT_EQ(abbreviated.error, "");
    const Options& tour = abbreviated.options;
    EXPECT_TRUE(tour.benchmark && tour.offScreen);
    EXPECT_EQ(tour.frames, 3);
    EXPECT_EQ(tour.swapInterval, 1);
    EXPECT_EQ(tour.scenes, (std::vector<std::string>{"planet", "asteroids"}));
    EXPECT_EQ(parsed({"--", "-iconic"}).error, "zendrils: unexpected argument '-iconic'; see zendrils --help");

    const Options plain = parsed({}).options;
    EXPECT_FALSE(plain.seedGiven || plain.benchmark || plain.info || plain.fullscreen);
    EXPECT_EQ(plain.width, 0);
    EXPECT_EQ(plain.stepMilliseconds, 0.0);
    EXPECT_EQ(plain.frames, 0);
    EXPECT_EQ(plain.captureFolder, "");
}

TEST(Options, HelpAndVersionNeedNoDisplay) {
    const Outcome help = runWithoutDisplay("--help");
    EXPECT_EQ(help.status, "0");
    for (const char* part :
         {"Usage: zendrils", "--benchmark", "--capture DIR", "-geometry", "Escape", "default 1024x768"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
    EXPECT_EQ(runWithoutDisplay("-h").out, help.out);
    const Outcome version = runWithoutDisplay("--version");
    EXPECT_EQ(version.out, "zendrils 1.0.0\n");
    EXPECT_EQ(version.status, "0");
    EXPECT_EQ(runWithoutDisplay("--list-scenes").out.rfind("  asteroids            200 frames: ", 0), 0u);
}

// Each refusal is one line on standard error naming the option, status 2, and
// nothing on standard output: no window was ever opened.
TEST(Options, EveryBadValueIsRefusedInOneLineBeforeAnyWindow) {
    writeScratchFile("a file", "");
    scratchPath("a folder.csv/inside");  // makes the folder
    const std::string file = scratchPath("a file"), fifo = scratchPath("a fifo.csv");
    runCommand("rm -f '" + fifo + "'; mkfifo '" + fifo + "'");
    const struct {
        std::string arguments;
        std::string named;
    } cases[] = {
        {"--size 0x0", "--size"},
        {"--size 640x0", "--size"},
        {"--size 0x480", "--size"},
        {"-geometry 640x0", "-geometry"},
        {"-geometry 32767x32767+0+0", "-geometry"},
        {"--swap-interval 11", "--swap-interval"},
        {"--samples 0", "--samples"},
        {"--s 5", "'--s' is ambiguous: --size, --seed, --step, --swap-interval, --samples, --scene or --scene-seconds"},
        {"-geometry abc", "-geometry 'abc'"},
        {"--size \"$(printf '64x48\\n\\033[1m[INFO] fake')\"", "--size '64x48\\n\\x1b[1m[INFO] fake'"},
        {"--off-screen --fullscreen --frames 1 -display :1", "--fullscreen cannot be given with --off-screen"},
        {"--frames 1 --capture ../resources/references", "the reference frames' folder"},
        {"--data-path /", "--data-path '/'"},
        {"--benchmark --results-file '" + fifo + "'", "a fifo.csv': Not a regular file"},
        {"--benchmark --results-file " + std::string(300, 'a') + ".csv", "aaa.csv': File name too long"},
        {"--benchmark --results-file /sys/out.csv", "'/sys/out.csv': Permission denied"},
        {"--benchmark --scene nowhere", "--scene"},
        {"--benchmark --scene planet,planet", "--scene"},
        {"--scene planet", "--scene"},
        {"--off-screen", "--off-screen"},
        {"--validate --size 640x480", "--size"},
        {"--validate --benchmark", "--validate"},
        {"--validate --frames 3", "--frames"},
        {"--benchmark --results-file '" + scratchPath("a folder.csv") + "'", "a folder.csv': Is a directory"},
        {"--frames " + std::string(100000, '9'),
         "--frames '99999999999999999999...9999999999999999999999999999999999999'"},
        {"--size 99999x5", "--size"},
        {"--size abc", "--size"},
        {"--size=640x", "--size"},
        {"--frames -1", "--frames"},
        {"--frames 0", "--frames"},
        {"--step 0", "--step"},
        {"--step 1e3", "--step"},
        {"--duration -2", "--duration"},
        {"--seed 4294967296", "--seed"},
        {"--capture-every 0 --capture .", "--capture-every"},
        {"--frobnicate", "--frobnicate"},
        {"--size", "--size"},
        {"--capture", "--capture"},
        {"-display", "-display"},
        {"--fullscreen=yes", "--fullscreen"},
        {"stray", "stray"},
        {"--capture '" + scratchPath("missing") + "'", "--capture"},
        {"--capture '" + file + "'", "--capture"},
        {"--capture-every 2", "--capture-every"},
        {"--benchmark --step 10", "--step"},
        {"--benchmark --results-file out.txt", "--results-file"},
        {"--benchmark --results-file '" + file + "/out.csv'", "--results-file"},
        {"--results-file out.csv", "--results-file"},
        {"--off-screen --frames 1 -geometry 64x48", "-geometry needs a window"},  // headless without DISPLAY
        {"--headless --frames 1 -iconic", "-iconic"},
        {"--headless --frames 1 --fullscreen", "--fullscreen"},
        {"--headless --benchmark --swap-interval 0", "--swap-interval"},
        {"--headless", "--off-screen needs"},
        {"--validate --samples 4", "--samples"},
        {"--benchmark --scene-seconds 0.05", "--scene-seconds"},
        {"--benchmark --scene-seconds 601", "--scene-seconds"},
        {"--scene-seconds 5", "--scene-seconds needs --benchmark"},
        {"--benchmark --frames 3 --scene-seconds 1", "--scene-seconds"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const Outcome outcome = runWithoutDisplay(c.arguments);
        EXPECT_EQ(outcome.status, "2");
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(occurrences(outcome.err, "\n"), 1) << outcome.err;
        EXPECT_EQ(outcome.err.rfind("zendrils: ", 0), 0u) << outcome.err;
        EXPECT_NE(outcome.err.find(c.named), std::string::npos) << outcome.err;
    }
}
