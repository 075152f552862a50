#include "run/Run.h"

#include <chrono>
#include <cstdlib>
#include <iostream>

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <X11/Xutil.h>

#include "app/AppState.h"
#include "app/CleanUp.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "platform/glx/SwapInterval.h"
#include "platform/os/Clock.h"
#include "run/Benchmark.h"
#include "run/FrameCapture.h"
#include "run/GlInfo.h"
#include "run/OffScreenTarget.h"
#include "run/QuietConsole.h"
#include "run/Tour.h"
#include "run/Usage.h"
#include "run/Validation.h"

namespace {

struct RunRecord {
    Options options;
    bool tour = false;                  // --benchmark or --validate
    long framesShown = 0;               // counted frames shown so far
    bool frameShowsLatestStep = false;  // with a fixed step, the next step waits for this
    std::uint32_t startTicks = 0;       // tick count when the main loop began
    int width = 1024;                   // the frame's size off screen: --size, else -geometry's, else the default
    int height = 768;
};

RunRecord run;

Scene& scene() { return *appState.scene; }

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
    if (step && tourPosition().frame == 1 && run.options.benchmark) startFrameClock();
    return step;
}

// ---- Before the swap

// A frame that cannot be written ends the run through the normal shutdown, with status 1.
void capture(long frame) {
    const Options& o = run.options;
    if (o.captureFolder.empty() || frame % o.captureEvery != 0) return;
    const std::vector<unsigned char> rgb = readFrame(scene().windowWidth, scene().windowHeight);
    if (!writeFramePicture(capturedFrameName(o.captureFolder, frame), scene().windowWidth, scene().windowHeight, rgb))
        quitApplication(EXIT_FAILURE);
}

// The benchmark's frame time leaves out the capture, and the drawing it waits for is done first.
void captureUntimed(long frame) {
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    capture(frame);
    leaveOutOfFrameTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
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
    if (run.options.benchmark) timeShownFrame();
    if (!tourAfterSwap()) return;
    if (run.options.benchmark) endBenchmarkScene(at.scene->name);
    if (!tourIsOver()) return;
    quitApplication(run.options.benchmark ? endBenchmark(run.options.resultsFile) : endValidation());
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
    if (o.offScreen && !createOffScreenTarget(run.width, run.height, o.samples, problem)) {
        std::cerr << "[ERROR] " << problem << std::endl;
        std::exit(EXIT_FAILURE);
    }
    if (o.info) printGlInfo();  // before the shaders, which the driver may not run
}

// The frames of an off-screen run have the target's size, whatever the window's.
void reshapeOffScreen(int, int) { onReshape(run.width, run.height); }

void ignoreRedisplay() {}

// Input would change the tour: the keyboard is left nothing but Escape and the mouse nothing.
void onTourKey(unsigned char key, int, int) {
    if (key == 27) quitApplication();
}

void leaveTourAlone() {
    glutKeyboardFunc(onTourKey);
    glutKeyboardUpFunc(nullptr);
    glutSpecialFunc(nullptr);
    glutSpecialUpFunc(nullptr);
    glutMouseFunc(nullptr);
    glutMotionFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
    glutMouseWheelFunc(nullptr);
}

std::vector<const TourScene*> chosenScenes() {
    std::vector<const TourScene*> scenes;
    for (const std::string& name : run.options.scenes) scenes.push_back(findScene(name));
    if (scenes.empty())
        for (std::size_t k = 0; k < kTourSceneCount; ++k) scenes.push_back(&kTourScenes[k]);
    return scenes;
}

long benchmarkSceneLength(const TourScene& scene) {
    return run.options.frames > 0 ? run.options.frames : scene.frames;
}

long validationSceneLength(const TourScene& scene) { return scene.referenceFrames[2]; }

BenchmarkSetting benchmarkSetting() {
    BenchmarkSetting setting;
    setting.vendor = glString(GL_VENDOR);
    setting.renderer = glString(GL_RENDERER);
    setting.version = glString(GL_VERSION);
    setting.width = scene().windowWidth;
    setting.height = scene().windowHeight;
    setting.offScreen = run.options.offScreen;
    setting.swapInterval = swapIntervalText();
    setting.samples = samplesInEffect();
    setting.seed = kTourSeed;
    setting.stepMilliseconds = kTourStepMilliseconds;
    return setting;
}

void setSwapIntervalAsAsked() {
    const Options& o = run.options;
    const int interval = o.swapInterval >= 0 ? o.swapInterval : run.tour ? 0 : -1;
    if (interval < 0) return;
    const bool set = setSwapInterval(interval);
    if (set && currentSwapInterval() == interval) return;
    std::cerr << "[WARNING] ";
    if (set) std::cerr << "The driver keeps the swap interval at " << swapIntervalText() << ", not " << interval;
    else std::cerr << "The driver offers no swap control: the swap interval stays its own";
    std::cerr << (o.benchmark ? ", and the figures may be capped by the screen's refresh rate." : ".") << std::endl;
}

// The samples the driver offers for a window, as freeglut lists them.
bool windowOffersSamples(int samples) {
    int count = 0;
    int* offered = glutGetModeValues(GLUT_MULTISAMPLE, &count);
    bool found = false;
    std::string list;
    for (int i = 0; i < count; ++i) {
        found = found || offered[i] == samples;
        list += (i ? ", " : "") + std::to_string(offered[i]);
    }
    std::free(offered);
    if (!found)
        std::cerr << "[ERROR] --samples " << samples << ": the driver offers a window "
                  << (count ? "with " + list + " samples a pixel" : "no multisampling") << std::endl;
    return found;
}

// What -geometry gives: XValue, WidthValue and so on.
int geometryGiven(const Options& options, int& width, int& height) {
    int x = 0, y = 0;
    unsigned w = 0, h = 0;
    const int given = options.geometry.empty() ? 0 : XParseGeometry(options.geometry.c_str(), &x, &y, &w, &h);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return given;
}

constexpr int kSizeGiven = WidthValue | HeightValue;
constexpr int kPlaceGiven = XValue | YValue;

// The toolkit has read -geometry: what it gave (size, place or both) stays;
// the rest is the default window, or --size. A full screen starts in the
// corner: without a window manager the toolkit keeps the window's offset.
void placeWindow(const Options& options) {
    Scene& s = scene();
    int width = 0, height = 0;
    const int given = geometryGiven(options, width, height);
    if (options.width > 0) {
        s.windowWidth = options.width;
        s.windowHeight = options.height;
    }
    if (options.width > 0 || (given & kSizeGiven) != kSizeGiven) glutInitWindowSize(s.windowWidth, s.windowHeight);
    const int corner = options.fullscreen ? 0 : 50;
    if ((given & kPlaceGiven) != kPlaceGiven) glutInitWindowPosition(corner, corner);
}

void keepAskedSize(const Options& options) {
    int width = 0, height = 0;
    const bool fromGeometry = (geometryGiven(options, width, height) & kSizeGiven) == kSizeGiven;
    if (options.width > 0) {
        run.width = options.width;
        run.height = options.height;
    } else if (fromGeometry) {
        run.width = width;
        run.height = height;
    }
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
    run.options = options;
    Options& o = run.options;
    run.tour = o.benchmark || o.validate;
    if (run.tour) {  // start-up's draws too: the asteroids' textures
        o.seedGiven = true;
        o.seed = kTourSeed;
    }
    if (o.validate) {
        o.width = kValidationWidth;
        o.height = kValidationHeight;
    }
    // Off screen the frame-rate figure would stand upside down: its glyphs are
    // drawn for the window, and the target is drawn as the window's buffers are.
    if (o.validate || o.offScreen) o.noOverlay = true;
    keepAskedSize(o);
    if (run.tour) leaveOutProgressLines();
    RunHooks& hooks = appState.hooks;
    hooks.afterLibrariesStart = afterLibrariesStart;
    hooks.beforeStep = beforeStep;
    hooks.beforeSwap = beforeSwap;
    hooks.afterSwap = afterSwap;
    hooks.drawsFromIdle = o.endsByItself() || o.offScreen;
    hooks.swapsBuffers = !o.offScreen;
    hooks.showsFrameRate = !o.noOverlay;
}

void prepareWindow() {
    const Options& o = run.options;
    unsigned mode = GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH | GLUT_STENCIL;
    if (o.samples > 1 && !o.offScreen) {
        if (!windowOffersSamples(o.samples)) std::exit(EXIT_FAILURE);
        glutSetOption(GLUT_MULTISAMPLE, o.samples);
        mode |= GLUT_MULTISAMPLE;
    }
    glutInitDisplayMode(mode);
    placeWindow(o);
    if (o.offScreen) glutInitWindowSize(16, 16);
}

void windowCreated() {
    const Options& o = run.options;
    if (o.offScreen) {
        glutHideWindow();
        glutReshapeFunc(reshapeOffScreen);
    } else if (o.fullscreen) {
        glutFullScreen();
    }
    setSwapIntervalAsAsked();
}

void beginRun() {
    const Options& o = run.options;
    if (appState.hooks.drawsFromIdle) glutDisplayFunc(ignoreRedisplay);
    if (o.offScreen) reshapeOffScreen(0, 0);
    if (run.tour) {
        leaveTourAlone();
        if (o.benchmark) {
            beginBenchmark(benchmarkSetting());
            beginTour(chosenScenes(), benchmarkSceneLength);
        } else {
            beginValidation();
            beginTour(chosenScenes(), validationSceneLength);
        }
    }
    run.startTicks = tickCountMilliseconds();
}
