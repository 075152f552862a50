#include <iostream>

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <X11/Xutil.h>

#include "app/AppState.h"
#include "app/Benchmark.h"
#include "app/DisplayFrame.h"
#include "app/IdleStep.h"
#include "app/Input.h"
#include "app/Options.h"
#include "app/Scene.h"
#include "app/StartUp.h"
#include "platform/os/Clock.h"
#include "platform/os/KeyRepeat.h"
#include "platform/os/WindowIdentity.h"

namespace {

// --help, --version and refusals need no display; true when one of them ends the run with `status`.
bool answeredWithoutDisplay(const CommandLine& line, int& status) {
    status = 0;
    if (!line.error.empty()) {
        std::cerr << line.error << std::endl;
        status = kBadCommandLine;
    } else if (line.options.help) {
        std::cout << usageText() << std::flush;
    } else if (line.options.version) {
        std::cout << versionText() << std::endl;
    } else {
        return false;
    }
    return true;
}

// The toolkit has read -geometry: what it gave (size, place or both) stays;
// the rest is the default window, or --size. A full screen starts in the
// corner: without a window manager the toolkit keeps the window's offset.
void placeWindow(const Options& options) {
    Scene& scene = *appState.scene;
    int x = 0, y = 0;
    unsigned width = 0, height = 0;
    const int given = options.geometry.empty() ? 0 : XParseGeometry(options.geometry.c_str(), &x, &y, &width, &height);
    const int size = WidthValue | HeightValue, place = XValue | YValue;
    if (options.width > 0) {
        scene.windowWidth = options.width;
        scene.windowHeight = options.height;
    }
    if (options.width > 0 || (given & size) != size) glutInitWindowSize(scene.windowWidth, scene.windowHeight);
    const int corner = options.fullscreen ? 0 : 50;
    if ((given & place) != place) glutInitWindowPosition(corner, corner);
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine commandLine = parseCommandLine(argc, argv);
    int status = 0;
    if (answeredWithoutDisplay(commandLine, status)) return status;
    Options& options = appState.options = commandLine.options;
    if (options.benchmark) configureTour(options);

    std::cout << "[INFO] Initializing GLUT ..." << std::endl;
    int toolkitArgc = static_cast<int>(commandLine.toolkitArguments.size()) - 1;
    glutInit(&toolkitArgc, commandLine.toolkitArguments.data());
    placeWindow(options);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH | GLUT_STENCIL);
    glutCreateWindow("The Zendrils are back");
    setWindowIdentity(kProgramIcon);
    // Held keys repeat their presses but are released once, so that the keys
    // acting on release act once per hold; servers without it repeat as before.
    requestDetectableKeyRepeat();

    glutSpecialFunc(onSpecialKeyDown);
    glutSpecialUpFunc(onSpecialKeyUp);
    glutDisplayFunc(displayFrame);
    glutIdleFunc(idleStep);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutReshapeFunc(onReshape);
    glutMouseFunc(onMouseButton);
    glutMotionFunc(onMouseDrag);
    glutPassiveMotionFunc(onMouseMove);
    glutMouseWheelFunc(onMouseWheel);
    if (options.fullscreen) glutFullScreen();

    startUp();
    if (options.benchmark) beginTour();
    appState.runStartTicks = tickCountMilliseconds();
    glutMainLoop();
    return 0;
}
