#include "app/Benchmark.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <numeric>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/AppState.h"
#include "app/CleanUp.h"
#include "app/GlInfo.h"
#include "app/IdleStep.h"
#include "app/Options.h"
#include "app/Scene.h"
#include "app/Version.h"
#include "camera/FlyCam.h"
#include "platform/os/OutputFile.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kTourSeed = 3;
constexpr double kTourStepMilliseconds = 40.0;
constexpr int kMostStepsToTheSecondPath = 100000;
constexpr int kSettlingSteps = 100;

void noSetUp(Scene&) {}

// The free camera glides forward from its start, turning towards the podium
// and looking up into the field.
void flyForward(Scene& scene) {
    scene.flyCam->moveForward = 1;
    scene.flyCam->targetAngles = Vector3(0.45f, 0.12f, 0.0f);
}

// The flight goes on, undrawn, until the fighter has turned reflective on its
// second path and hovers over the pad, the follow camera behind it.
void flyToTheSecondPath(Scene&) {
    const float step = static_cast<float>(kTourStepMilliseconds / 1000.0);
    for (int i = 0; i < kMostStepsToTheSecondPath && !appState.reflectiveShip; ++i) advanceSimulation(step);
    for (int i = 0; i < kSettlingSteps; ++i) advanceSimulation(step);
}

struct TourScene {
    const char* name;
    long frames;
    CameraMode camera;
    void (*setUp)(Scene&);
};

const TourScene kTour[] = {
    {"asteroids", 200, CameraMode::Follow, noSetUp},
    {"planet", 100, CameraMode::Fixed, noSetUp},
    {"free-camera", 100, CameraMode::Fly, flyForward},
    {"reflective", 200, CameraMode::Follow, flyToTheSecondPath},
};
constexpr int kSceneCount = static_cast<int>(sizeof kTour / sizeof *kTour);

struct SceneFigures {
    std::string name;
    long frames = 0;
    double framesPerSecond = 0.0;
    double medianMilliseconds = 0.0;
    double p95Milliseconds = 0.0;  // nearest rank
    double maxMilliseconds = 0.0;
};

struct TourRecord {
    Clock::time_point lastSwap;
    std::vector<double> frameSeconds;  // of the scene being drawn
    std::vector<SceneFigures> scenes;  // of the scenes drawn
    int width = 0;
    int height = 0;
};

TourRecord tour;

long sceneFrames(int scene) {
    return appState.options.frames > 0 ? appState.options.frames : kTour[scene].frames;
}

// The scene that tour frame `frame` (from 1) belongs to, and whether it is the
// scene's first or last frame; -1 past the end.
int sceneOf(long frame, bool* first = nullptr, bool* last = nullptr) {
    long end = 0;
    for (int scene = 0; scene < kSceneCount; ++scene) {
        const long begin = end + 1;
        end += sceneFrames(scene);
        if (frame > end) continue;
        if (first) *first = frame == begin;
        if (last) *last = frame == end;
        return scene;
    }
    return -1;
}

SceneFigures sceneFigures(const std::string& name, std::vector<double> seconds) {
    SceneFigures figures;
    figures.name = name;
    figures.frames = static_cast<long>(seconds.size());
    if (seconds.empty()) return figures;
    std::sort(seconds.begin(), seconds.end());
    const double total = std::accumulate(seconds.begin(), seconds.end(), 0.0);
    const size_t n = seconds.size();
    figures.framesPerSecond = total > 0.0 ? static_cast<double>(n) / total : 0.0;
    figures.medianMilliseconds = 1000.0 * (n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2.0);
    figures.p95Milliseconds = 1000.0 * seconds[static_cast<size_t>(std::ceil(0.95 * static_cast<double>(n))) - 1];
    figures.maxMilliseconds = 1000.0 * seconds.back();
    return figures;
}

// The mean of the scenes' frame rates, as glmark2 scores.
double tourScore() {
    double sum = 0.0;
    for (const SceneFigures& scene : tour.scenes) sum += scene.framesPerSecond;
    return tour.scenes.empty() ? 0.0 : sum / static_cast<double>(tour.scenes.size());
}

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

const char* const kRule = "=======================================================";

void printHeader() {
    std::cout << kRule << "\n    zendrils " << ZEN_VERSION << " benchmark\n" << kRule << "\n"
              << "    OpenGL Information\n"
              << "    GL_VENDOR:     " << glString(GL_VENDOR) << "\n"
              << "    GL_RENDERER:   " << glString(GL_RENDERER) << "\n"
              << "    GL_VERSION:    " << glString(GL_VERSION) << "\n"
              << "    Tour:          " << tour.width << "x" << tour.height << " pixels, seed " << kTourSeed
              << ", step " << kTourStepMilliseconds << " ms\n"
              << kRule << std::endl;
}

void printScene(const SceneFigures& s) {
    std::cout << "[" << s.name << "] frames: " << s.frames << " FPS: " << formatted("%.2f", s.framesPerSecond)
              << " FrameTime: median " << formatted("%.2f", s.medianMilliseconds) << " ms, p95 "
              << formatted("%.2f", s.p95Milliseconds) << " ms, max " << formatted("%.2f", s.maxMilliseconds)
              << " ms" << std::endl;
}

void printScore() {
    std::cout << kRule << "\n                                  zendrils Score: "
              << formatted("%.0f", tourScore()) << "\n"
              << kRule << std::endl;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += std::string("\\") + c;
        else if (static_cast<unsigned char>(c) >= 0x20) out += c;
        else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out + "\"";
}

std::string csvResults() {
    std::string text = "scene,frames,fps,frame_time_median_ms,frame_time_p95_ms,frame_time_max_ms\n";
    for (const SceneFigures& s : tour.scenes)
        text += s.name + "," + std::to_string(s.frames) + "," + formatted("%.2f", s.framesPerSecond) + "," +
                formatted("%.2f", s.medianMilliseconds) + "," + formatted("%.2f", s.p95Milliseconds) + "," +
                formatted("%.2f", s.maxMilliseconds) + "\n";
    return text + "score,," + formatted("%.0f", tourScore()) + ",,,\n";
}

std::string jsonResults() {
    std::string text = "{\n  \"program\": " + jsonString(std::string("zendrils ") + ZEN_VERSION) +
                       ",\n  \"vendor\": " + jsonString(glString(GL_VENDOR)) +
                       ",\n  \"renderer\": " + jsonString(glString(GL_RENDERER)) +
                       ",\n  \"version\": " + jsonString(glString(GL_VERSION)) +
                       ",\n  \"width\": " + std::to_string(tour.width) + ",\n  \"height\": " +
                       std::to_string(tour.height) + ",\n  \"seed\": " + std::to_string(kTourSeed) +
                       ",\n  \"step_ms\": " + formatted("%g", kTourStepMilliseconds) + ",\n  \"scenes\": [\n";
    for (size_t i = 0; i < tour.scenes.size(); ++i) {
        const SceneFigures& s = tour.scenes[i];
        text += "    {\"name\": " + jsonString(s.name) + ", \"frames\": " + std::to_string(s.frames) +
                ", \"fps\": " + formatted("%.2f", s.framesPerSecond) +
                ", \"frame_time_median_ms\": " + formatted("%.2f", s.medianMilliseconds) +
                ", \"frame_time_p95_ms\": " + formatted("%.2f", s.p95Milliseconds) +
                ", \"frame_time_max_ms\": " + formatted("%.2f", s.maxMilliseconds) + "}" +
                (i + 1 < tour.scenes.size() ? ",\n" : "\n");
    }
    return text + "  ],\n  \"score\": " + formatted("%.0f", tourScore()) + "\n}\n";
}

bool writeResults(const std::string& path) {
    const bool json = path.size() >= 5 && path.compare(path.size() - 5, 5, ".json") == 0;
    const std::string text = json ? jsonResults() : csvResults();
    std::string problem;
    if (writeOutputFile(path, text.data(), text.size(), problem)) return true;
    std::cerr << "[ERROR] Could not write results file " << path << ": " << problem << std::endl;
    return false;
}

void endScene(int scene) {
    tour.scenes.push_back(sceneFigures(kTour[scene].name, tour.frameSeconds));
    tour.frameSeconds.clear();
    printScene(tour.scenes.back());
    if (scene + 1 < kSceneCount) return;
    printScore();
    const std::string& results = appState.options.resultsFile;
    quitApplication(results.empty() || writeResults(results) ? EXIT_SUCCESS : EXIT_FAILURE);
}

void onTourKey(unsigned char key, int, int) {
    if (key == 27) quitApplication();
}

}  // namespace

void configureTour(Options& options) {
    options.seedGiven = true;
    options.seed = kTourSeed;
    options.stepMilliseconds = kTourStepMilliseconds;
}

void beginTour() {
    glutKeyboardFunc(onTourKey);
    glutKeyboardUpFunc(nullptr);
    glutSpecialFunc(nullptr);
    glutSpecialUpFunc(nullptr);
    glutMouseFunc(nullptr);
    glutMotionFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
    glutMouseWheelFunc(nullptr);
}

void prepareTourStep() {
    bool first = false;
    const int scene = sceneOf(appState.framesDrawn, &first);  // tour frames start after the untimed first
    if (scene < 0 || !first) return;
    appState.scene->cameraMode = kTour[scene].camera;
    kTour[scene].setUp(*appState.scene);
    tour.lastSwap = Clock::now();  // the set-up is not the scene's frame
}

void timeTourFrame() {
    const Clock::time_point now = Clock::now();
    const long frame = appState.framesDrawn - 1;
    if (frame == 0) {
        tour.width = appState.scene->windowWidth;
        tour.height = appState.scene->windowHeight;
        printHeader();
    } else {
        tour.frameSeconds.push_back(std::chrono::duration<double>(now - tour.lastSwap).count());
        bool last = false;
        const int scene = sceneOf(frame, nullptr, &last);
        if (last) endScene(scene);
    }
    tour.lastSwap = Clock::now();
}
