#pragma once

#include <string>
#include <vector>

#include "run/FrameStatistics.h"

// What a benchmark ran on, and how.
struct BenchmarkSetting {
    std::string vendor;
    std::string renderer;
    std::string version;
    int width = 0;
    int height = 0;
    bool offScreen = false;
    std::string swapInterval;  // "0", "1", ... or "unknown"
    int samples = 1;
    unsigned seed = 0;
    double stepMilliseconds = 0.0;
};

struct SceneResult {
    std::string name;
    FrameStatistics statistics;
};

// The mean of the scenes' frame rates, as glmark2 scores.
double benchmarkScore(const std::vector<SceneResult>& scenes);

// The figures as the console, CSV and JSON show them; each is formatted once.
std::string consoleHeader(const BenchmarkSetting& setting);
std::string consoleSceneLine(const SceneResult& scene);
std::string consoleScore(const std::vector<SceneResult>& scenes);
std::string csvResults(const BenchmarkSetting& setting, const std::vector<SceneResult>& scenes);
std::string jsonResults(const BenchmarkSetting& setting, const std::vector<SceneResult>& scenes);
