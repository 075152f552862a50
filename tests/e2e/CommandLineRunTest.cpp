// Runs of the real program that its command line ends by itself: the benchmark,
// the frame capture, the validation and the frames they draw.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
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
#ifdef __SANITIZE_ADDRESS__
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
// Three frames of each scene of the tour, 12 in all.
const std::vector<std::string> kShortTour = {"--benchmark", "--frames", "3", "--size", kSize};
const char* const kNoSwapControl =
    "[WARNING] The driver offers no swap control: the swap interval stays its own, and the figures may be capped by "
    "the screen's refresh rate.\n";

// Runs the staged program to its end in `bin` and returns its exit status.
int runToEnd(const std::vector<std::string>& arguments, const std::string& bin = ZEN_BIN_DIR,
             std::string* out = nullptr, std::string* err = nullptr,
             const std::string& program = ZEN_BIN_DIR "/zendrils") {
    ProgramRun run(bin, program, arguments);
    const int status = run.waitForExit(100.0);
    if (out) *out = run.standardOutput();
    if (err) *err = run.standardError();
    return status;
}

std::vector<std::string> with(std::vector<std::string> arguments, const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

std::string frameName(int frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06d.png", frame);
    return name;
}

// Whole captured frames in `folder`: names of the frame pattern, no temporary file.
int framesIn(const std::string& folder) {
    const std::set<std::string> names = namesIn(folder);
    return static_cast<int>(std::count_if(names.begin(), names.end(), [](const std::string& name) {
        return std::regex_match(name, std::regex("frame-[0-9]{6}\\.png"));
    }));
}

// RGB bytes, top row first.
std::string rgbPixels(const std::string& png) { return runCommand("convert '" + png + "' -depth 8 rgb:- 2>/dev/null"); }

int differingPixels(const std::string& a, const std::string& b) {
    const std::string pa = rgbPixels(a), pb = rgbPixels(b);
    if (pa.empty() || pa.size() != pb.size()) return -1;
    int count = 0;
    for (size_t i = 0; i < pa.size(); i += 3) count += pa.compare(i, 3, pb, i, 3) != 0;
    return count;
}

// The picture with the blue of the first 8x8 block of its top row that has
// room raised by `change`, written to `to`; the block's column.
int withTopBlueBlockRaised(const std::string& png, int change, const std::string& to) {
    std::string rgb = rgbPixels(png);
    rgb.resize(kWidth * kHeight * 3);
    auto blue = [&](int left, int i) -> char& { return rgb[((i / 8) * kWidth + left + i % 8) * 3 + 2]; };
    for (int left = 0; left < kWidth; left += 8) {
        int most = 0;
        for (int i = 0; i < 64; ++i) most = std::max(most, static_cast<unsigned char>(blue(left, i)) + change);
        if (most > 255) continue;
        for (int i = 0; i < 64; ++i) blue(left, i) = static_cast<char>(blue(left, i) + change);
        const std::string raw = writeFile(scratchPath("raised.rgb"), rgb);
        runCommand("convert -size " + kSize + " -depth 8 rgb:'" + raw + "' PNG24:'" + to + "'");
        return left;
    }
    return -1;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

}  // namespace

TEST(Benchmark, PrintsItsHeaderEverySceneAndTheScoreAloneAndWritesTheSameFigures) {
    const std::string results = scratchPath("results.csv");
    std::string out, err;
    ASSERT_EQ(runToEnd(with(kShortTour, {"--results-file", results, "--scene", "reflective,planet"}), ZEN_BIN_DIR,
                       &out, &err),
              0)
        << err;
    EXPECT_EQ(err, kNoSwapControl);
    EXPECT_EQ(out.find("[INFO]"), std::string::npos) << out;
    EXPECT_NE(out.find("    GL_RENDERER:   llvmpipe"), std::string::npos) << out;
    EXPECT_NE(out.find("    Size:          320x240 pixels\n    Swap interval: unknown\n    Samples:       1\n"),
              std::string::npos)
        << out;

    const std::regex sceneLine(R"(\[([a-z-]+)\] frames: 3 flights: 1 FPS: ([0-9.]+) FrameTime: median ([0-9.]+) ms, )"
                               R"(p95 ([0-9.]+) ms, max ([0-9.]+) ms)");
    // Each pass's GPU time (the reflection only in its scene) and the CPU time, medians.
    const std::regex passLine(R"(    GPU: sky [0-9.]+ ms, ambient [0-9.]+ ms, shadow volumes [0-9.]+ ms, )"
                              R"(lit [0-9.]+ ms, (reflection [0-9.]+ ms, )?overlay [0-9.]+ ms; CPU: ([0-9.]+) ms)");
    std::vector<std::string> rows;
    const std::vector<std::string> printed = lines(out);
    for (size_t i = 0; i + 1 < printed.size(); ++i) {
        std::smatch m, passes;
        if (!std::regex_match(printed[i], m, sceneLine)) continue;
        EXPECT_GT(std::atof(m[2].str().c_str()), 0.0) << printed[i];
        ASSERT_TRUE(std::regex_match(printed[i + 1], passes, passLine)) << printed[i + 1];
        EXPECT_EQ(passes[1].matched, m[1] == "reflective") << printed[i + 1];
        rows.push_back(m[1].str() + ",320,240,3,1," + m[2].str() + "," + m[3].str() + "," + m[4].str() + "," +
                       m[5].str() + "," + passes[2].str());
    }
    ASSERT_EQ(rows.size(), 2u) << out;
    EXPECT_EQ(rows[0].substr(0, 11), "reflective,");
    std::smatch score;
    ASSERT_TRUE(std::regex_search(out, score, std::regex(R"(\n +zendrils Score: ([0-9]+)\n=+\n$)"))) << out;

    // The CSV's rows as printed, the GPU's figures aside.
    const std::vector<std::string> written = lines(readFile(results));
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0].rfind("program,vendor,renderer,version,off_screen,egl,swap_interval,samples,seed,step_ms,"
                               "scene,width,height,frames,flights,fps,frame_time_median_ms,frame_time_p95_ms,"
                               "frame_time_max_ms,cpu_time_median_ms,gpu_sky_ms,",
                               0),
              0u);
    const std::regex csvRow(R"(zendrils 1\.0\.0,Mesa/X\.org,"llvmpipe .*",.*,false,,unknown,1,3,40,)"
                            R"(([^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*),.*,([0-9]+))");
    for (size_t k = 0; k < rows.size(); ++k) {
        std::smatch row;
        ASSERT_TRUE(std::regex_match(written[k + 1], row, csvRow)) << written[k + 1];
        EXPECT_EQ(row[1].str(), rows[k]);
        EXPECT_EQ(row[2].str(), score[1].str());
    }
}

// Given swap control (the preloaded library says what it is asked), the benchmark asks for no wait, a plain
// run for nothing; its JSON results go to the caller's folder and are read with CMake's parser.
TEST(Benchmark, AsksForNoSwapWaitAndWritesJsonInTheCallersFolder) {
    const std::string caller = freshScratchFolder("caller");
    const char* asan = std::getenv("ASAN_OPTIONS");
    const std::vector<std::string> preloaded = {
        "LD_PRELOAD=" ZEN_SWAP_CONTROL_LIBRARY, "ZENDRILS_CALLER_DIR=" + caller,
        "ASAN_OPTIONS=" + std::string(asan ? asan : "") + ":verify_asan_link_order=0", ZEN_BIN_DIR "/zendrils"};
    ProgramRun plain(ZEN_BIN_DIR, "/usr/bin/env", with(preloaded, {"--frames", "1", "--size", kSize}));
    EXPECT_EQ(plain.waitForExit(100.0), 0);
    EXPECT_EQ(plain.standardError(), "");
    ProgramRun run(ZEN_BIN_DIR, "/usr/bin/env",
                   with(preloaded, with(kShortTour, {"--scene", "planet,asteroids", "--results-file", "out.json"})));
    EXPECT_EQ(run.waitForExit(100.0), 0);
    EXPECT_EQ(run.standardError(), "swap interval asked: 0\n");
    const std::string reader = writeScratchFile("read.cmake", R"(file(READ "${json}" text)
string(JSON count LENGTH "${text}" scenes)
string(JSON first GET "${text}" scenes 0 scene)
string(JSON frames GET "${text}" scenes 1 frames)
string(JSON interval GET "${text}" swap_interval)
message("${count} ${first} ${frames} ${interval}"))");
    EXPECT_EQ(runCommand("'" ZEN_CMAKE_COMMAND "' -Djson='" + caller + "out.json' -P '" + reader + "' 2>&1"),
              "2 planet 3 0\n");
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
    ASSERT_EQ(namesIn(folder), (std::set<std::string>{"frame-000003.png", "frame-000006.png"}));
    EXPECT_EQ(imageFigure(folder + frameName(3), "", "w*1000+h"), kWidth * 1000 + kHeight);
    EXPECT_GT(differingPixels(folder + frameName(3), folder + frameName(6)), 1000) << "the scene moves between them";
}

// A frame that cannot be stored under its name ends the run through the normal
// shutdown, with status 1, and leaves no partial file behind.
TEST(FrameCapture, AFailedWriteNamesTheFileAndEndsTheRunWithStatusOne) {
    const std::string folder = freshScratchFolder("frames");
    fs::create_directory(folder + "frame-000002.png");  // a folder where the second frame belongs
    std::string out, err;
    EXPECT_EQ(runToEnd({"--frames", "5", "--capture", folder, "--size", kSize}, ZEN_BIN_DIR, &out, &err), 1);
    // One line naming the file by its folder's start and its own end: about 60 characters of the path.
    const std::string line = "[ERROR] Could not write frame ", reason = ": Is a directory\n";
    EXPECT_EQ(err.rfind(line + folder.substr(0, 20) + "...", 0), 0u) << err;
    EXPECT_EQ(err.substr(err.size() - 24 - reason.size()), "/frames/frame-000002.png" + reason) << err;
    EXPECT_EQ(err.size(), line.size() + 60 + reason.size()) << err;
    EXPECT_NE(out.find("[INFO] Cleaning up application...\n[INFO] Application cleaned up successfully.\n\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"frame-000001.png", "frame-000002.png"}));
}

// Ended by SIGTERM mid-capture, once three whole frames stand (the next one's
// temporary file not counted), the run leaves whole frames and no temporary file.
TEST(FrameCapture, ATerminatedRunLeavesOnlyWholeFrames) {
    const std::string folder = freshScratchFolder("frames");
    ProgramRun run(ZEN_BIN_DIR, ZEN_BIN_DIR "/zendrils", {"--capture", folder, "--size", kSize});
    for (double waited = 0; waited < 60 && framesIn(folder) < 3 && !run.hasExited(); waited += 0.05) pause(0.05);
    ::kill(run.pid, SIGTERM);
    EXPECT_EQ(run.waitForExit(), 128 + SIGTERM) << run.standardError();
    EXPECT_GE(namesIn(folder).size(), 3u);
    for (const std::string& name : namesIn(folder)) {
        EXPECT_TRUE(std::regex_match(name, std::regex("frame-[0-9]{6}\\.png"))) << name;
        EXPECT_EQ(rgbPixels(folder + name).size(), static_cast<size_t>(kWidth * kHeight * 3)) << name;
    }
}

// A scene draws the same frames alone or after others, in the window or off
// screen, pixel for pixel once the frame-rate figure is hidden, as off screen it is unasked.
TEST(ReferenceFrames, ASceneDrawsTheSameFramesAloneOrInTheTourInTheWindowOrOffScreen) {
    const std::string tour = freshScratchFolder("tour"), alone = freshScratchFolder("alone");
    ASSERT_EQ(runToEnd(with(kShortTour, {"--no-overlay", "--capture", tour})), 0);
    ASSERT_EQ(runToEnd(with(kShortTour, {"--scene", "planet", "--off-screen", "--capture", alone})), 0);
    ASSERT_EQ(namesIn(tour).size(), 12u);
    ASSERT_EQ(namesIn(alone).size(), 3u);
    for (int frame = 1; frame <= 3; ++frame)
        EXPECT_EQ(differingPixels(alone + frameName(frame), tour + frameName(3 + frame)), 0) << frame;
    EXPECT_GT(differingPixels(tour + frameName(3), tour + frameName(4)), 1000) << "the asteroids, then the planet";
}

// Runs with an end draw exactly their frames whatever the window: off the
// screen, never mapped, or with several samples a pixel; a count the driver
// cannot give (in a window or off screen alike), a driver without framebuffer
// objects off screen, or memory exhausted in start-up is one line and status 1.
TEST(RunEnd, ComesAfterTheFramesWhateverTheWindowAndTheSamples) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string err;
        size_t frames;  // captured
        const char* extensionOverride = "";
        std::string addressSpace = "unlimited";  // bytes, as prlimit takes it
    } cases[] = {
        {{"-geometry", "+2000+2000", "--frames", "3"}, 0, "", 3},
        {{"-iconic", "--duration", "1"}, 0, "", 0},
        {{"--off-screen", "-geometry", "+2000+2000", "--frames", "4", "--samples", "4", "--info"}, 0, "", 4},
        {{"--samples", "4", "--frames", "2", "--info"}, 0, "", 2},
        {{"--samples", "8", "--frames", "3"}, 1,
         "[ERROR] --samples 8: the driver offers a window with 4 samples a pixel\n", 0},
        {{"--off-screen", "--samples", "8", "--frames", "3"}, 1,
         "[ERROR] --samples 8: the driver draws off screen with at most 4 samples a pixel\n", 0},
        {{"--off-screen", "--samples", "3", "--frames", "3"}, 1,
         "[ERROR] --samples 3: the driver draws off screen with 4 samples a pixel\n", 0},
        {{"--off-screen", "--samples", "4", "--frames", "1", "--size", "8192x8192"}, 1,
         "[ERROR] Out of memory while loading ../resources/textures/custom_space/posx.png\n", 0, "", "3072000000"},
        {{"--off-screen", "--frames", "3"}, 1,
         "[ERROR] --off-screen: the driver offers no framebuffer objects (GL_ARB_framebuffer_object)\n", 0,
         "-GL_ARB_framebuffer_object"},
    };
    for (const auto& c : cases) {
        if (kAddressSanitizer && c.addressSpace != "unlimited") continue;  // its shadow memory needs the space
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments[1]);
        const std::string folder = freshScratchFolder("frames");
        std::vector<std::string> arguments = with({"--as=" + c.addressSpace, ZEN_BIN_DIR "/zendrils", "--size", kSize},
                                                  c.arguments);
        if (c.frames) arguments = with(arguments, {"--capture", folder});
        std::string out, err;
        setenv("MESA_EXTENSION_OVERRIDE", c.extensionOverride, 1);
        EXPECT_EQ(runToEnd(arguments, ZEN_BIN_DIR, &out, &err, "/usr/bin/prlimit"), c.status) << err;
        unsetenv("MESA_EXTENSION_OVERRIDE");
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(namesIn(folder).size(), c.frames);
        EXPECT_TRUE(!c.frames || imageFigure(folder + frameName(1), "", "maxima") > 0.2) << "a blank frame";
        if (std::find(c.arguments.begin(), c.arguments.end(), "--info") != c.arguments.end()) {
            EXPECT_NE(out.find("[INFO] Samples: 4\n"), std::string::npos) << out;
        }
    }
}

// The installed references pass; a driver that draws without depth testing, and
// so without shadows, fails with each failing frame and its difference written;
// a missing or damaged reference fails its frame alone.
TEST(Validation, PassesOnLlvmpipeAndFailsWhatDiffers) {
    std::string out, err;
    EXPECT_EQ(runToEnd({"--validate", "--off-screen"}, ZEN_BIN_DIR, &out, &err), 0) << out << err;
    EXPECT_NE(out.find("validate: reflective frame 50: pass (largest difference 0)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("validate: 12 of 12 frames pass\n"), std::string::npos) << out;
    // Drawn at 320x240 whatever size the window is given.
    EXPECT_EQ(runToEnd({"--validate", "--fullscreen", "-geometry", "640x480", "--scene", "planet"}, ZEN_BIN_DIR, &out),
              0);
    EXPECT_NE(out.find("validate: 3 of 3 frames pass\n"), std::string::npos) << out;

    const std::string failed = freshScratchFolder("failed");
    setenv("LP_PERF", "no_depth", 1);
    const int status = runToEnd({"--validate", "--scene", "reflective", "--capture", failed}, ZEN_BIN_DIR, &out);
    unsetenv("LP_PERF");
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(std::regex_search(out, std::regex(R"(validate: reflective frame 25: FAIL \(largest difference )"
                                                  R"([0-9]+ at [0-9]+,[0-9]+\)\n)")))
        << out;
    EXPECT_EQ(namesIn(failed).size(), 6u);
    EXPECT_GT(imageFigure(failed + "reflective-frame-25-difference.png", ""), 0.01);

    const std::string bin = stagedCopy("references");
    writeFile(bin + "/../resources/references/planet-frame-1.png", "\x89PNG\r\n\x1a\n broken");
    fs::remove(bin + "/../resources/references/planet-frame-25.png");
    const std::string drawn = freshScratchFolder("drawn");
    EXPECT_EQ(runToEnd({"--validate", "--scene", "planet", "--capture", drawn}, bin, &out, &err), 1);
    EXPECT_NE(out.find("validate: planet frame 1: FAIL (no reference frame)\nvalidate: planet frame 25: FAIL (no "
                       "reference frame)\nvalidate: planet frame 50: pass"),
              std::string::npos)
        << out;
    EXPECT_EQ(occurrences(err, "[ERROR] Could not load reference frame ../resources/references/planet-frame-"), 2)
        << err;
    // References made from the frames drawn, one block's blue moved by the tolerance, and by one more.
    const std::string references = bin + "/../resources/references/";
    withTopBlueBlockRaised(drawn + "planet-frame-1.png", 12, references + "planet-frame-1.png");
    const int left = withTopBlueBlockRaised(drawn + "planet-frame-25.png", 13, references + "planet-frame-25.png");
    EXPECT_EQ(runToEnd({"--validate", "--scene", "planet"}, bin, &out), 1);
    EXPECT_NE(out.find("validate: planet frame 1: pass (largest difference 12)\nvalidate: planet frame 25: FAIL "
                       "(largest difference 13 at " + std::to_string(left) + ",0)\n"),
              std::string::npos)
        << out;
}

// Mesa's softpipe picks the smallest level of the sky's mipmapped cube map
// where llvmpipe picks the level that fits, so with a sky of one colour, the
// same on every level, the two draw the same frames within the validation's
// tolerance: references made on llvmpipe pass on softpipe.
TEST(Validation, SoftpipePassesReferencesMadeOnLlvmpipe) {
    const std::string bin = stagedCopy("one-colour-sky"), made = freshScratchFolder("made");
    const std::string resources = bin + "/../resources/";
    runCommand("for face in posx negx posy negy posz negz; do convert -size 8x8 'xc:#3060c0' '" + resources +
               "textures/custom_space/'$face.png; done; rm -r '" + resources + "references'");
    EXPECT_EQ(runToEnd({"--validate", "--scene", "reflective", "--capture", made}, bin), 1);
    fs::create_directory(resources + "references");
    for (const std::string& name : namesIn(made)) fs::copy_file(made + name, resources + "references/" + name);
    setenv("GALLIUM_DRIVER", "softpipe", 1);
    std::string out;
    const int status = runToEnd({"--validate", "--scene", "reflective"}, bin, &out);
    unsetenv("GALLIUM_DRIVER");
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("validate: on softpipe"), std::string::npos) << out;
}

// Without --frames a scene flies its segment again from its own start until it
// has timed --scene-seconds of frames: every flight draws the same frames.
TEST(Benchmark, FliesAScenesSegmentAgainUntilItsSecondsAreTimedDrawingTheSameFrames) {
    const std::string folder = freshScratchFolder("frames");
    std::string out;
    ASSERT_EQ(runToEnd({"--benchmark", "--scene", "free-camera", "--size", "160x120", "--scene-seconds", "2",
                        "--off-screen", "--capture", folder},
                       ZEN_BIN_DIR, &out),
              0);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, std::regex(R"(\[free-camera\] frames: ([0-9]+) flights: ([0-9]+) FPS: )"
                                                     R"(([0-9.]+) )")))
        << out;
    const int frames = std::atoi(m[1].str().c_str()), flights = std::atoi(m[2].str().c_str());
    EXPECT_EQ(frames, 100 * flights);
    ASSERT_GE(flights, 2);
    EXPECT_GE(frames / std::atof(m[3].str().c_str()), 2.0) << "seconds timed";
    int differing = 0;
    for (int frame = 1; frame <= 100; ++frame)
        differing += readFile(folder + frameName(frame)) != readFile(folder + frameName(100 + frame));
    EXPECT_EQ(differing, 0) << "frames of the second flight unlike the first's";
}

// The size is the one drawn at, whatever the toolkit gave; on a terminal each
// scene's name shows until its figures replace it; without timer queries only
// the CPU's time is given, after one warning.
TEST(Benchmark, ReportsTheSizeDrawnAtAndTheScenesAsTheyRun) {
    const std::string results = scratchPath("results.json");
    const std::string command =
        "MESA_GL_VERSION_OVERRIDE=3.0 MESA_EXTENSION_OVERRIDE=-GL_ARB_timer_query " ZEN_BIN_DIR
        "/zendrils -geometry 640x480+0+0 --benchmark --scene planet --frames 2 --results-file " + results;
    ProgramRun run(ZEN_BIN_DIR, "/usr/bin/script", {"-qec", command, "/dev/null"});
    ASSERT_EQ(run.waitForExit(60.0), 0) << run.standardOutput();
    const std::string out = run.standardOutput();  // through a terminal: lines end in \r\n
    for (const char* part : {"    Size:          640x480 pixels\r\n",
                             "\r\n[planet] ...\r[planet] frames: 2 flights: 1 ", " ms\r\n    CPU: ",
                             "[WARNING] The driver offers no timer queries (GL_ARB_timer_query)"})
        EXPECT_NE(out.find(part), std::string::npos) << part << "\n" << out;
    const std::string json = readFile(results);
    EXPECT_EQ(occurrences(json, "\"width\": 640, \"height\": 480"), 1) << json;  // the scene's
    EXPECT_NE(json.find("\"width\": 640,\n  \"height\": 480,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"gpu_sky_ms\": null"), std::string::npos) << json;
}

// Started from any folder, the program finds the resources beside itself; with
// --data-path, those of another folder, relative output paths still the caller's.
TEST(Resources, FoundBesideTheProgramFromAnyFolderOrInTheDataPath) {
    EXPECT_EQ(runToEnd({"--frames", "1"}, "/"), 0);
    const std::string bin = stagedCopy("data path"), caller = freshScratchFolder("caller");
    fs::remove(bin + "/../resources/models/planet/Tex2.tga");
    std::string err;
    EXPECT_EQ(runToEnd({"--frames", "1", "--data-path", bin + "/..", "--capture", "."}, caller, nullptr, &err), 0);
    EXPECT_EQ(err, "[ERROR] Could not load planet decal tex:could not open file\n");
    EXPECT_EQ(namesIn(caller), (std::set<std::string>{"frame-000001.png"}));
}

// Headless, the same run draws the same bytes as off screen beside a window, and
// a validation passes where DISPLAY names no server at all.
TEST(Headless, DrawsTheWindowsOffScreenFramesByteForByteAndPassesValidation) {
    const std::string headless = freshScratchFolder("headless"), windowed = freshScratchFolder("windowed");
    const std::vector<std::string> run = {"--off-screen", "--seed", "7", "--step", "40", "--no-overlay",
                                          "--size", kSize, "--frames", "30", "--capture"};
    const std::vector<std::string> program = {"-u", "DISPLAY", ZEN_BIN_DIR "/zendrils"};
    ASSERT_EQ(runToEnd(with(with(program, run), {headless}), ZEN_BIN_DIR, nullptr, nullptr, "/usr/bin/env"), 0);
    ASSERT_EQ(runToEnd(with(run, {windowed})), 0);
    ASSERT_EQ(namesIn(headless).size(), 30u);
    int differing = 0;
    for (int frame = 1; frame <= 30; ++frame)
        differing += readFile(headless + frameName(frame)) != readFile(windowed + frameName(frame));
    EXPECT_EQ(differing, 0) << "frames unlike the window's";

    std::string out, err;
    EXPECT_EQ(runToEnd({"DISPLAY=:9999", ZEN_BIN_DIR "/zendrils", "--headless", "--validate"}, ZEN_BIN_DIR, &out,
                       &err, "/usr/bin/env"),
              0)
        << out << err;
    EXPECT_NE(out.find("validate: 12 of 12 frames pass\n"), std::string::npos) << out;
    EXPECT_EQ(err, "");
}

// Without an EGL library, or with one that finds no device or display: one
// line naming what is missing, status 1, and nothing drawn.
TEST(Headless, AMachineWithoutUsableEglGetsOneLine) {
    writeScratchFile("no-egl/libEGL.so.1", "");  // the loader refuses an empty library
    const struct {
        std::string environment;
        std::string missing;
    } cases[] = {
        {"LD_LIBRARY_PATH=" + scratchPath("no-egl"), "no EGL library (libEGL.so.1; Debian's package libegl1)"},
        {"__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json",
         "no usable EGL device or display (EGL_EXT_platform_device, EGL_MESA_platform_surfaceless)"},
    };
    const std::string folder = freshScratchFolder("frames");
    for (const auto& c : cases) {
        std::string out, err;
        EXPECT_EQ(runToEnd({"-u", "DISPLAY", c.environment, ZEN_BIN_DIR "/zendrils", "--off-screen", "--frames", "1",
                            "--capture", folder},
                           ZEN_BIN_DIR, &out, &err, "/usr/bin/env"),
                  1)
            << c.environment;
        EXPECT_EQ(out, "[INFO] Initializing EGL ...\n");
        EXPECT_EQ(err, "[ERROR] Initializing EGL failed: " + c.missing + "\n");
    }
    EXPECT_TRUE(namesIn(folder).empty());
}
