#include "run/RunWindow.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <X11/Xutil.h>

#include "app/AppState.h"
#include "app/CleanUp.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "platform/glx/SwapInterval.h"
#include "run/GlInfo.h"
#include "run/RunState.h"

namespace {

RunState& run = runState;

Scene& scene() { return *appState.scene; }

// The frames of an off-screen run have the target's size, whatever the window's.
void reshapeOffScreen(int, int) { onReshape(run.frameWidth, run.frameHeight); }

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

}  // namespace

void keepAskedSize() {
    const Options& options = run.options;
    int width = 0, height = 0;
    const bool fromGeometry = (geometryGiven(options, width, height) & kSizeGiven) == kSizeGiven;
    run.sizeAsked = options.width > 0 || fromGeometry;
    if (options.width > 0) {
        run.frameWidth = options.width;
        run.frameHeight = options.height;
    } else if (fromGeometry) {
        run.frameWidth = width;
        run.frameHeight = height;
    }
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
    // The driver makes the window's buffers with it: one it cannot make at the asked size ends the run here.
    if (run.sizeAsked && !o.offScreen && glGetError() == GL_OUT_OF_MEMORY) {
        std::cerr << "[ERROR] The driver could not make a window of " << run.frameWidth << "x" << run.frameHeight
                  << " pixels: out of memory" << std::endl;
        std::exit(EXIT_FAILURE);
    }
    if (o.offScreen) {
        glutHideWindow();
        glutReshapeFunc(reshapeOffScreen);
        reshapeOffScreen(0, 0);
    } else if (o.fullscreen) {
        glutFullScreen();
    }
    setSwapIntervalAsAsked();
}

void takeOverWindowCallbacks() {
    if (appState.hooks.drawsFromIdle) glutDisplayFunc(ignoreRedisplay);
    if (run.tour) leaveTourAlone();
}
