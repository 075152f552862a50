#pragma once

#include <string>
#include <vector>

#include "run/FrameStatistics.h"
#include "run/PassTimer.h"

// What a benchmark ran on, and how.
struct BenchmarkSetting {
    std::string vendor;
    std::string renderer;
    std::string version;
    int width = 0;  // the size drawn at when the first frame was timed
    int height = 0;
    bool offScreen = false;
    std::string egl;           // a headless run's EGL context; "" in a window
    std::string swapInterval;  // "0", "1", ... or "unknown"; "none" headless
    int samples = 1;
    unsigned seed = 0;
    double stepMilliseconds = 0.0;
    bool passTimes = false;  // the driver has timer queries
};

struct SceneResult {
    std::string name;
    FrameStatistics statistics;
    long flights = 0;               // times the scene's segment was flown
    int width = 0;                  // the size its last frame was drawn at
    int height = 0;
    double cpuMilliseconds = 0.0;   // median processor time of the drawing thread a frame
    PassTimes passes;               // the GPU's, when the setting has pass times
};

// The mean of the scenes' frame rates, as glmark2 scores.
double benchmarkScore(const std::vector<SceneResult>& scenes);

// The figures as the console, CSV and JSON show them; each is formatted once,
// and CSV and JSON carry the same fields.
std::string consoleHeader(const BenchmarkSetting& setting);
// "[<name>] frames: ... flights: ... FPS: ...", and under it an indented line
// with each pass's GPU time and the CPU time.
std::string consoleSceneLines(const BenchmarkSetting& setting, const SceneResult& scene);
std::string consoleScore(const std::vector<SceneResult>& scenes);
std::string csvResults(const BenchmarkSetting& setting, const std::vector<SceneResult>& scenes);
std::string jsonResults(const BenchmarkSetting& setting, const std::vector<SceneResult>& scenes);
