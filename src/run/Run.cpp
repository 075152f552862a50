#include "run/Run.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <unistd.h>

#include <GL/glew.h>

#include "app/AppState.h"
#include "app/CleanUp.h"
#include "app/Scene.h"
#include "platform/os/Clock.h"
#include "platform/os/OutOfMemory.h"
#include "platform/os/ShownValue.h"
#include "run/Benchmark.h"
#include "run/FrameCapture.h"
#include "run/GlInfo.h"
#include "run/OffScreenTarget.h"
#include "run/QuietConsole.h"
#include "run/Tour.h"
#include "run/Usage.h"
#include "run/Validation.h"
#include "run/RunState.h"

RunState runState;

namespace {

RunState& run = runState;

Scene& scene() { return *appState.scene; }

const EglContext* headlessContext() { return run.options.headless ? &run.eglContext : nullptr; }

// ---- Before a step

bool fixedStep(float& dt) {
    if (!run.frameShowsLatestStep) return false;
    dt = static_cast<float>(run.options.stepMilliseconds / 1000.0);
    run.frameShowsLatestStep = false;
    return true;
}

bool beforeStep(float& dt) {
    if (!run.tour) return run.options.stepMilliseconds <= 0.0 || fixedStep(dt);
    const bool step = tourBeforeStep(dt);
    const TourPosition& at = tourPosition();
    if (!step || at.frame != 1 || !run.options.benchmark) return step;
    if (at.flight == 1) beginBenchmarkScene(at.scene->name, scene().windowWidth, scene().windowHeight);
    startFrameClock();
    return step;
}

// ---- Before the swap

bool captureDue(long frame) {
    const Options& o = run.options;
    return !o.captureFolder.empty() && frame % o.captureEvery == 0;
}

// A frame that cannot be written ends the run through the normal shutdown, with status 1.
void capture(long frame) {
    const Options& o = run.options;
    if (!captureDue(frame)) return;
    const std::vector<unsigned char> rgb = readFrame(scene().windowWidth, scene().windowHeight);
    if (!writeFramePicture(capturedFrameName(o.captureFolder, frame), scene().windowWidth, scene().windowHeight, rgb))
        quitApplication(EXIT_FAILURE);
}

// The benchmark's frame time leaves out the capture, and the drawing it waits for is done first.
void captureUntimed(long frame) {
    if (!captureDue(frame)) return;
    glFinish();
    pauseFrameClock();
    capture(frame);
    resumeFrameClock();
}

bool isReferenceFrame(const TourPosition& at) {
    for (const long reference : at.scene->referenceFrames)
        if (reference == at.frame) return true;
    return false;
}

void beforeSwap() {
    if (run.options.offScreen) glFinish();  // no swap waits for the drawing
    if (!run.tour) return capture(run.framesShown + 1);
    const TourPosition& at = tourPosition();
    if (at.frame == 0) return;  // the scene's untimed first frame
    if (run.options.validate && isReferenceFrame(at)) validateFrame(*at.scene, at.frame, run.options.captureFolder);
    if (run.options.benchmark) captureUntimed(run.framesShown + 1);
}

// ---- After the swap

bool limitReached() {
    const Options& o = run.options;
    if (o.frames > 0 && run.framesShown >= o.frames) return true;
    return o.durationSeconds > 0.0 &&
           tickSecondsBetween(run.startTicks, tickCountMilliseconds()) >= o.durationSeconds;
}

void afterTourFrame() {
    const TourPosition at = tourPosition();
    if (at.frame == 0) return;
    ++run.framesShown;
    if (run.options.benchmark) timeShownFrame(scene().windowWidth, scene().windowHeight);
    if (tourAfterSwap() != TourMoment::Scene) return;
    if (run.options.benchmark) endBenchmarkScene(at.flight);
    if (!tourIsOver()) return;
    quitApplication(run.options.benchmark ? endBenchmark(run.options.resultsFile) : endValidation());
}

// The GPU's time of each pass, of the benchmark's counted frames.
void passBegins(FramePass pass) {
    if (tourPosition().frame > 0) markBenchmarkPass(pass);
}

// --frames and --duration end the run as Escape does.
void afterSwap() {
    if (run.tour) return afterTourFrame();
    ++run.framesShown;
    run.frameShowsLatestStep = true;
    if (limitReached()) quitApplication(EXIT_SUCCESS);
}

// ---- Start-up

void afterLibrariesStart() {
    const Options& o = run.options;
    if (o.seedGiven) std::srand(o.seed);  // repeats a run's asteroid field
    std::string problem;
    if (o.offScreen && !createOffScreenTarget(run.frameWidth, run.frameHeight, o.samples, problem)) {
        const std::string asked = "--off-screen";
        if (o.validate && problem.compare(0, asked.size(), asked) == 0) problem.replace(0, asked.size(), "--validate");
        std::cerr << "[ERROR] " << problem << std::endl;
        std::exit(EXIT_FAILURE);
    }
    if (o.info) printGlInfo(headlessContext());  // before the shaders, which the driver may not run
}

std::vector<const TourScene*> chosenScenes() {
    std::vector<const TourScene*> scenes;
    for (const std::string& name : run.options.scenes) scenes.push_back(findScene(name));
    if (scenes.empty())
        for (std::size_t k = 0; k < kTourSceneCount; ++k) scenes.push_back(&kTourScenes[k]);
    return scenes;
}

long benchmarkFlightLength(const TourScene& scene) {
    return run.options.frames > 0 ? run.options.frames : scene.frames;
}

// Without --frames, a scene flies its segment again until it has timed --scene-seconds of frames.
bool benchmarkFliesAgain(const TourScene&) {
    return run.options.frames == 0 && sceneSecondsTimed() < run.options.sceneSeconds;
}

long validationFlightLength(const TourScene& scene) { return scene.referenceFrames[2]; }
bool flownOnce(const TourScene&) { return false; }

BenchmarkSetting benchmarkSetting() {
    BenchmarkSetting setting;
    setting.vendor = glString(GL_VENDOR);
    setting.renderer = glString(GL_RENDERER);
    setting.version = glString(GL_VERSION);
    setting.offScreen = run.options.offScreen;
    if (run.options.headless) setting.egl = eglContextText(run.eglContext);
    setting.swapInterval = swapIntervalText(headlessContext());
    setting.samples = samplesInEffect();
    setting.seed = kTourSeed;
    setting.stepMilliseconds = kTourStepMilliseconds;
    return setting;
}

// The resources are then ../resources/ from the working folder.
void changeToRunFolder(const std::string& folder) {
    if (folder.empty() || chdir(folder.c_str()) == 0) return;
    std::cerr << "[ERROR] Could not change to the data folder " << quotedValue(folder) << ": " << std::strerror(errno)
              << std::endl;
    std::exit(EXIT_FAILURE);
}

}  // namespace

bool answeredWithoutDisplay(const CommandLine& line, int& status) {
    status = 0;
    if (!line.error.empty()) {
        std::cerr << line.error << std::endl;
        status = kBadCommandLine;
    } else if (line.options.help) {
        std::cout << usageText() << std::flush;
    } else if (line.options.version) {
        std::cout << versionText() << std::endl;
    } else if (line.options.listScenes) {
        std::cout << sceneListText() << std::flush;
    } else {
        return false;
    }
    return true;
}

void configureRun(const Options& options) {
    endOnFailedAllocation();
    run.options = options;
    Options& o = run.options;
    changeToRunFolder(o.runFolder);
    run.tour = o.benchmark || o.validate;
    if (run.tour) {  // start-up's draws too: the asteroids' textures
        o.seedGiven = true;
        o.seed = kTourSeed;
    }
    // A window may be given another size at any time (-geometry, --fullscreen,
    // a window manager): the frames compared are drawn off screen, at their own
    // size; llvmpipe draws the same pixels there as in a window.
    if (o.validate) {
        o.width = kValidationWidth;
        o.height = kValidationHeight;
        o.offScreen = true;
    }
    // Off screen the frame-rate figure would stand upside down: its glyphs are
    // drawn for the window, and the target is drawn as the window's buffers are.
    if (o.validate || o.offScreen) o.noOverlay = true;
    keepAskedSize();
    if (run.tour) leaveOutProgressLines();
    RunHooks& hooks = appState.hooks;
    hooks.afterLibrariesStart = afterLibrariesStart;
    hooks.beforeStep = beforeStep;
    hooks.beforeSwap = beforeSwap;
    hooks.afterSwap = afterSwap;
    if (o.benchmark) hooks.passBegins = passBegins;
    hooks.drawsFromIdle = o.endsByItself() || o.offScreen;
    hooks.swapsBuffers = !o.offScreen;
    hooks.showsFrameRate = !o.noOverlay;
}

void beginRun() {
    noteLoading("");  // start-up is over
    const Options& o = run.options;
    if (run.tour) {
        if (o.benchmark) {
            beginBenchmark(benchmarkSetting());
            beginTour(chosenScenes(), benchmarkFlightLength, benchmarkFliesAgain);
        } else {
            beginValidation();
            beginTour(chosenScenes(), validationFlightLength, flownOnce);
        }
    }
    run.startTicks = tickCountMilliseconds();
}
