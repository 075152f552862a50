#include "run/Benchmark.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <numeric>
#include <vector>

#include <unistd.h>

#include "platform/os/Clock.h"
#include "platform/os/OutputFile.h"
#include "platform/os/ShownValue.h"

namespace {

using Clock = std::chrono::steady_clock;

// A moment of the drawing thread, in real time and in processor time.
struct Instant {
    Clock::time_point wall;
    double cpu = 0.0;
};

Instant now() { return {Clock::now(), threadCpuSeconds()}; }

struct Span {
    double wall = 0.0;
    double cpu = 0.0;
};

Span since(const Instant& start) {
    const Instant end = now();
    return {std::chrono::duration<double>(end.wall - start.wall).count(), end.cpu - start.cpu};
}

struct BenchmarkRecord {
    BenchmarkSetting setting;
    bool headerShown = false;
    bool live = false;                 // standard output is a terminal: a scene's name shows as it starts
    std::string sceneName;
    Instant frameStart;
    Instant pausedAt;
    Span leftOut;                      // of the current frame, not its own
    std::vector<double> frameSeconds;  // of the scene being drawn
    std::vector<double> cpuSeconds;
    int width = 0, height = 0;         // the size the latest frame was drawn at
    std::vector<std::string> sizes;    // every size drawn at, in order
    std::vector<SceneResult> scenes;   // of the scenes drawn
};

BenchmarkRecord benchmark;

std::string sizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

bool writeResults(const std::string& path) {
    const bool json = path.size() >= 5 && path.compare(path.size() - 5, 5, ".json") == 0;
    const std::string text = json ? jsonResults(benchmark.setting, benchmark.scenes)
                                  : csvResults(benchmark.setting, benchmark.scenes);
    std::string problem;
    if (writeOutputFile(path, text.data(), text.size(), problem)) return true;
    std::cerr << "[ERROR] Could not write results file " << shownValue(path) << ": " << problem << std::endl;
    return false;
}

void warnOfSizeChanges() {
    if (benchmark.sizes.size() < 2) return;
    std::string sizes;
    for (const std::string& size : benchmark.sizes) sizes += (sizes.empty() ? "" : ", then ") + size;
    std::cerr << "[WARNING] The window changed size during the benchmark: " << sizes
              << " pixels; each scene's figures give the size of its last frame." << std::endl;
}

}  // namespace

void beginBenchmark(const BenchmarkSetting& setting) {
    benchmark = BenchmarkRecord();
    benchmark.setting = setting;
    benchmark.setting.passTimes = startPassTimer();
    benchmark.live = isatty(STDOUT_FILENO);
    if (!benchmark.setting.passTimes)
        std::cerr << "[WARNING] The driver offers no timer queries (GL_ARB_timer_query): no GPU time of the passes."
                  << std::endl;
}

void beginBenchmarkScene(const std::string& name, int width, int height) {
    benchmark.sceneName = name;
    if (!benchmark.headerShown) {
        benchmark.setting.width = width;
        benchmark.setting.height = height;
        std::cout << consoleHeader(benchmark.setting) << std::flush;
        benchmark.headerShown = true;
    }
    if (!benchmark.live) return;
    // Past the console's progress filter, which holds a line until its end; the
    // scene's line overwrites it from the line's start.
    std::cout << std::flush;
    std::fputs(("[" + name + "] ...").c_str(), stdout);
    std::fflush(stdout);
}

void startFrameClock() {
    benchmark.frameStart = now();
    benchmark.leftOut = Span();
}

void pauseFrameClock() { benchmark.pausedAt = now(); }

void resumeFrameClock() {
    const Span paused = since(benchmark.pausedAt);
    benchmark.leftOut.wall += paused.wall;
    benchmark.leftOut.cpu += paused.cpu;
}

void markBenchmarkPass(FramePass pass) { markPass(pass); }

void timeShownFrame(int width, int height) {
    const Span frame = since(benchmark.frameStart);
    benchmark.frameSeconds.push_back(frame.wall - benchmark.leftOut.wall);
    benchmark.cpuSeconds.push_back(frame.cpu - benchmark.leftOut.cpu);
    const std::string size = sizeText(width, height);
    if (benchmark.sizes.empty() || benchmark.sizes.back() != size) benchmark.sizes.push_back(size);
    benchmark.width = width;
    benchmark.height = height;
    startFrameClock();
}

double sceneSecondsTimed() {
    return std::accumulate(benchmark.frameSeconds.begin(), benchmark.frameSeconds.end(), 0.0);
}

void endBenchmarkScene(long flights) {
    SceneResult scene;
    scene.name = benchmark.sceneName;
    scene.statistics = frameStatistics(benchmark.frameSeconds);
    scene.flights = flights;
    scene.width = benchmark.width;
    scene.height = benchmark.height;
    scene.cpuMilliseconds = frameStatistics(benchmark.cpuSeconds).medianMilliseconds;
    scene.passes = endPassTimerScene();
    benchmark.scenes.push_back(scene);
    benchmark.frameSeconds.clear();
    benchmark.cpuSeconds.clear();
    std::cout << (benchmark.live ? "\r" : "") << consoleSceneLines(benchmark.setting, scene) << std::flush;
}

int endBenchmark(const std::string& resultsFile) {
    std::cout << consoleScore(benchmark.scenes) << std::flush;
    warnOfSizeChanges();
    return resultsFile.empty() || writeResults(resultsFile) ? 0 : 1;
}
