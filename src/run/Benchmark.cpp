#include "run/Benchmark.h"

#include <chrono>
#include <iostream>
#include <vector>

#include "platform/os/OutputFile.h"

namespace {

using Clock = std::chrono::steady_clock;

struct BenchmarkRecord {
    BenchmarkSetting setting;
    Clock::time_point frameStart;
    double leftOut = 0.0;              // seconds of the current frame that are not its own
    std::vector<double> frameSeconds;  // of the scene being drawn
    std::vector<SceneResult> scenes;   // of the scenes drawn
};

BenchmarkRecord benchmark;

bool writeResults(const std::string& path) {
    const bool json = path.size() >= 5 && path.compare(path.size() - 5, 5, ".json") == 0;
    const std::string text = json ? jsonResults(benchmark.setting, benchmark.scenes)
                                  : csvResults(benchmark.setting, benchmark.scenes);
    std::string problem;
    if (writeOutputFile(path, text.data(), text.size(), problem)) return true;
    std::cerr << "[ERROR] Could not write results file " << path << ": " << problem << std::endl;
    return false;
}

}  // namespace

void beginBenchmark(const BenchmarkSetting& setting) {
    benchmark = BenchmarkRecord();
    benchmark.setting = setting;
    std::cout << consoleHeader(setting) << std::flush;
}

void startFrameClock() {
    benchmark.frameStart = Clock::now();
    benchmark.leftOut = 0.0;
}

void leaveOutOfFrameTime(double seconds) { benchmark.leftOut += seconds; }

void timeShownFrame() {
    const double seconds = std::chrono::duration<double>(Clock::now() - benchmark.frameStart).count();
    benchmark.frameSeconds.push_back(seconds - benchmark.leftOut);
    startFrameClock();
}

void endBenchmarkScene(const std::string& name) {
    benchmark.scenes.push_back({name, frameStatistics(benchmark.frameSeconds)});
    benchmark.frameSeconds.clear();
    std::cout << consoleSceneLine(benchmark.scenes.back()) << std::flush;
}

int endBenchmark(const std::string& resultsFile) {
    std::cout << consoleScore(benchmark.scenes) << std::flush;
    return resultsFile.empty() || writeResults(resultsFile) ? 0 : 1;
}
