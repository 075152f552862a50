#include <chrono>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "run/Benchmark.h"
#include "run/FrameStatistics.h"
#include "run/Results.h"
#include "support/CapturedOutput.h"

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

// The CSV's figures by their columns' names, from frame times whose median, p95 and max all differ, and a
// pass whose result never came named as missing, never 0; the JSON has the same fields.
TEST(FrameStatistics, TheCsvGivesEachFigureUnderItsNameAndTheJsonTheSameFields) {
    std::vector<double> seconds = {0.100};
    for (int k = 1; k <= 19; ++k) seconds.push_back(k / 1000.0);
    BenchmarkSetting setting;
    setting.passTimes = true;
    SceneResult scene;
    scene.name = "a";
    scene.statistics = frameStatistics(seconds);
    scene.passes[static_cast<int>(FramePass::Sky)] = {true, false, 1.25};
    scene.passes[static_cast<int>(FramePass::Lit)] = {true, true, 0.0};
    std::istringstream csv(csvResults(setting, {scene}));
    std::string header, figures, name, field;
    std::getline(csv, header);
    std::getline(csv, figures);
    std::istringstream names(header), fields(figures);
    std::map<std::string, std::string> row;
    while (std::getline(names, name, ',') && std::getline(fields, field, ',')) row[name] = field;
    for (const auto& [column, value] : std::map<std::string, std::string>{
             {"scene", "a"}, {"frames", "20"}, {"fps", "68.97"}, {"frame_time_median_ms", "10.50"},
             {"frame_time_p95_ms", "19.00"}, {"frame_time_max_ms", "100.00"}, {"score", "69"},
             {"gpu_sky_ms", "1.25"}, {"gpu_lit_ms", ""}, {"gpu_missing", "lit"}})
        EXPECT_EQ(row[column], value) << column;
    EXPECT_NE(consoleSceneLines(setting, scene).find("\n    GPU: sky 1.25 ms, lit missing; CPU: 0.00 ms\n"),
              std::string::npos);

    const std::string json = jsonResults(setting, {scene});
    std::set<std::string> keys = {"scenes"};  // a CSV row for each
    for (const auto& [column, value] : row) keys.insert(column);
    std::set<std::string> jsonKeys;
    const std::regex key("\"([a-z_0-9]+)\": ");
    for (std::sregex_iterator at(json.begin(), json.end(), key), end; at != end; ++at) jsonKeys.insert((*at)[1]);
    EXPECT_EQ(jsonKeys, keys) << json;
    EXPECT_NE(json.find("\"gpu_lit_ms\": null, \"gpu_reflection_ms\": null, \"gpu_overlay_ms\": null, "
                        "\"gpu_missing\": [\"lit\"]"),
              std::string::npos)
        << json;
}

// A frame's time leaves out what the clock was paused for: at most the whole
// test's time less the pause the test itself saw.
TEST(FrameStatistics, TheBenchmarkLeavesWhatItIsToldOutOfAFramesTime) {
    using Clock = std::chrono::steady_clock;
    const auto milliseconds = [](Clock::time_point since) {
        return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
    };
    const Clock::time_point start = Clock::now();
    double pausedMs = 0.0;
    const std::string out = captured([&] {
        beginBenchmark(BenchmarkSetting());
        beginBenchmarkScene("scene", 1, 1);
        startFrameClock();
        pauseFrameClock();
        const Clock::time_point pause = Clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the interval to leave out
        pausedMs = milliseconds(pause);
        resumeFrameClock();
        timeShownFrame(1, 1);
        endBenchmarkScene(1);
    }).out;
    const double tookMs = milliseconds(start);
    std::smatch median;
    ASSERT_TRUE(std::regex_search(out, median, std::regex("median (-?[0-9.]+) ms"))) << out;
    EXPECT_GE(std::stod(median[1]), 0.0) << out;
    EXPECT_LE(std::stod(median[1]), tookMs - pausedMs + 0.005) << out;
}
