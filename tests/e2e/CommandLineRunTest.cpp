// Runs of the real program that its command line ends by itself: the benchmark,
// the frame capture and the reference frames they make.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/Scratch.h"

namespace fs = std::filesystem;

namespace {

const int kWidth = 320, kHeight = 240;
const std::string kSize = "320x240";
// The short tour: the untimed first frame, then three frames of each of its four scenes.
const std::vector<std::string> kShortTour = {"--benchmark", "--frames", "3", "--size", kSize};
const char* const kLastFrame = "frame-000013.png";  // the reflective fighter over the pad, with its shadow

// Runs the staged program to its end in `bin` and returns its exit status.
int runToEnd(const std::vector<std::string>& arguments, const std::string& bin = ZEN_BIN_DIR,
             std::string* out = nullptr, std::string* err = nullptr) {
    ProgramRun run(bin, ZEN_BIN_DIR "/zendrils", arguments);
    const int status = run.waitForExit(100.0);
    if (out) *out = run.standardOutput();
    if (err) *err = run.standardError();
    return status;
}

std::vector<std::string> with(std::vector<std::string> arguments, const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

// RGB bytes, top row first.
std::string rgbPixels(const std::string& png) { return runCommand("convert '" + png + "' -depth 8 rgb:- 2>/dev/null"); }

// The frame-rate figure shows the real rate: its corner is left out of every comparison.
bool inFrameRateCorner(int x, int y) { return x < 128 && y >= 192; }

// The largest difference, in 1/255, of one channel's mean over an 8 by 8 block
// between two frames, outside the frame-rate corner.
int largestBlockDifference(const std::string& a, const std::string& b) {
    const std::string pa = rgbPixels(a), pb = rgbPixels(b);
    if (pa.size() != static_cast<size_t>(kWidth * kHeight * 3) || pb.size() != pa.size()) return 255;
    int largest = 0;
    for (int by = 0; by < kHeight; by += 8)
        for (int bx = 0; bx < kWidth; bx += 8) {
            if (inFrameRateCorner(bx, by + 7)) continue;
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int y = by; y < by + 8; ++y)
                    for (int x = bx; x < bx + 8; ++x) {
                        const size_t i = (static_cast<size_t>(y) * kWidth + x) * 3 + c;
                        sum += static_cast<unsigned char>(pa[i]) - static_cast<unsigned char>(pb[i]);
                    }
                largest = std::max(largest, std::abs(sum) / 64);
            }
        }
    return largest;
}

int differingPixels(const std::string& a, const std::string& b) {
    const std::string pa = rgbPixels(a), pb = rgbPixels(b);
    if (pa.empty() || pa.size() != pb.size()) return -1;
    int count = 0;
    for (size_t i = 0; i < pa.size(); i += 3) {
        const int x = static_cast<int>(i / 3 % kWidth), y = static_cast<int>(i / 3 / kWidth);
        if (!inFrameRateCorner(x, y) && pa.compare(i, 3, pb, i, 3) != 0) ++count;
    }
    return count;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

}  // namespace

TEST(Benchmark, PrintsEverySceneAndTheScoreAndWritesTheSameFigures) {
    const std::string results = scratchPath("results.csv");
    std::string out, err;
    ASSERT_EQ(runToEnd(with(kShortTour, {"--results-file", results}), ZEN_BIN_DIR, &out, &err), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_NE(out.find("    GL_RENDERER:   "), std::string::npos) << out;

    const std::regex sceneLine(R"(\[([a-z-]+)\] frames: 3 FPS: ([0-9.]+) FrameTime: median ([0-9.]+) ms, )"
                               R"(p95 ([0-9.]+) ms, max ([0-9.]+) ms)");
    std::vector<std::string> csvRows;
    for (const std::string& line : lines(out)) {
        std::smatch m;
        if (!std::regex_match(line, m, sceneLine)) continue;
        EXPECT_GT(std::atof(m[2].str().c_str()), 0.0) << line;
        EXPECT_LE(std::atof(m[3].str().c_str()), std::atof(m[4].str().c_str())) << line;
        EXPECT_LE(std::atof(m[4].str().c_str()), std::atof(m[5].str().c_str())) << line;
        csvRows.push_back(m[1].str() + ",3," + m[2].str() + "," + m[3].str() + "," + m[4].str() + "," + m[5].str());
    }
    ASSERT_EQ(csvRows.size(), 4u) << out;
    EXPECT_EQ(csvRows[0].substr(0, 10), "asteroids,");
    EXPECT_EQ(csvRows[3].substr(0, 11), "reflective,");
    std::smatch score;
    const std::string scoreLine = out.substr(0, out.find("[INFO] Cleaning up application..."));
    ASSERT_TRUE(std::regex_search(scoreLine, score, std::regex(R"(\n +zendrils Score: ([0-9]+)\n=+\n$)"))) << out;
    EXPECT_NE(out.find("[INFO] Application cleaned up successfully.\n\n"), std::string::npos);

    std::string expected = "scene,frames,fps,frame_time_median_ms,frame_time_p95_ms,frame_time_max_ms\n";
    for (const std::string& row : csvRows) expected += row + "\n";
    EXPECT_EQ(readFile(results), expected + "score,," + score[1].str() + ",,,\n");
}

TEST(FrameCapture, WritesEveryKthFrameAsANumberedPngAndEndsAfterTheLastFrame) {
    const std::string folder = freshScratchFolder("frames");
    std::string out, err;
    ASSERT_EQ(runToEnd({"--seed", "5", "--step", "40", "--frames", "7", "--capture", folder, "--capture-every", "3",
                        "--size", kSize},
                       ZEN_BIN_DIR, &out, &err),
              0)
        << err;
    EXPECT_NE(out.find("[INFO] Application cleaned up successfully.\n\n"), std::string::npos);
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names, (std::vector<std::string>{"frame-000003.png", "frame-000006.png"}));
    EXPECT_EQ(imageFigure(folder + names[0], "", "w*1000+h"), kWidth * 1000 + kHeight);
    EXPECT_GT(differingPixels(folder + names[0], folder + names[1]), 1000) << "the scene moves between them";
}

// A frame that cannot be stored under its name ends the run through the normal
// shutdown, with status 1, and leaves no partial file behind.
TEST(FrameCapture, AFailedWriteNamesTheFileAndEndsTheRunWithStatusOne) {
    const std::string folder = freshScratchFolder("frames");
    fs::create_directory(folder + "frame-000002.png");  // a folder where the second frame belongs
    std::string out, err;
    EXPECT_EQ(runToEnd({"--frames", "5", "--capture", folder, "--size", kSize}, ZEN_BIN_DIR, &out, &err), 1);
    EXPECT_EQ(err, "[ERROR] Could not write frame " + folder + "frame-000002.png: Is a directory\n");
    EXPECT_NE(out.find("[INFO] Cleaning up application...\n[INFO] Application cleaned up successfully.\n\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"frame-000001.png", "frame-000002.png"}));
}

// Ended by SIGTERM mid-capture, the run leaves whole frames and no temporary file.
TEST(FrameCapture, ATerminatedRunLeavesOnlyWholeFrames) {
    const std::string folder = freshScratchFolder("frames");
    ProgramRun run(ZEN_BIN_DIR, ZEN_BIN_DIR "/zendrils", {"--capture", folder, "--size", kSize});
    for (double waited = 0; waited < 60 && namesIn(folder).size() < 3 && !run.hasExited(); waited += 0.05)
        pause(0.05);
    ::kill(run.pid, SIGTERM);
    EXPECT_EQ(run.waitForExit(), 128 + SIGTERM) << run.standardError();
    EXPECT_GE(namesIn(folder).size(), 3u);
    for (const std::string& name : namesIn(folder)) {
        EXPECT_TRUE(std::regex_match(name, std::regex("frame-[0-9]{6}\\.png"))) << name;
        EXPECT_EQ(rgbPixels(folder + name).size(), static_cast<size_t>(kWidth * kHeight * 3)) << name;
    }
}

TEST(ReferenceFrames, TheTourDrawsTheSameFramesBitForBitOnEveryRun) {
    const std::string first = freshScratchFolder("first"), second = freshScratchFolder("second");
    ASSERT_EQ(runToEnd(with(kShortTour, {"--capture", first})), 0);
    ASSERT_EQ(runToEnd(with(kShortTour, {"--capture", second})), 0);
    for (int frame = 1; frame <= 13; ++frame) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%06d.png", frame);
        EXPECT_EQ(differingPixels(first + name, second + name), 0) << name;
    }
}

// Mesa's softpipe picks the smallest level of the sky's mipmapped cube map
// where llvmpipe picks the level that fits (its level of detail ignores the
// cube face projection of the sky box's eye-linear coordinates), so both
// drivers get a sky of one colour, the same on every level. Measured on the
// last frame of the short tour at 320x240: no 8x8 block's mean differs by more
// than 2/255 between the drivers, while leaving out the fighter's reflection
// moves some block by 71, the shadows by 107 and the sky by 192.
TEST(ReferenceFrames, SoftpipeDrawsTheFrameThatLlvmpipeDraws) {
    const std::string bin = stagedCopy("one-colour-sky");
    runCommand("for face in posx negx posy negy posz negz; do convert -size 8x8 'xc:#3060c0' '" + bin +
               "/../resources/textures/custom_space/'$face.png; done");
    const std::string llvmpipe = freshScratchFolder("llvmpipe"), softpipe = freshScratchFolder("softpipe");
    ASSERT_EQ(runToEnd(with(kShortTour, {"--capture", llvmpipe}), bin), 0);
    setenv("GALLIUM_DRIVER", "softpipe", 1);
    std::string out;
    const int status = runToEnd(with(kShortTour, {"--capture", softpipe}), bin, &out);
    unsetenv("GALLIUM_DRIVER");
    ASSERT_EQ(status, 0);
    ASSERT_NE(out.find("GL_RENDERER:   softpipe"), std::string::npos) << out;
    EXPECT_LE(largestBlockDifference(llvmpipe + kLastFrame, softpipe + kLastFrame), 8);
}
