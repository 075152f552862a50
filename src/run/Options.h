#pragma once

#include <string>
#include <vector>

// What the command line asks for. The defaults are the plain run: the window of
// the start-up sequence, the measured step, no end but Escape.
struct Options {
    bool help = false;
    bool version = false;
    bool info = false;
    bool listScenes = false;
    bool fullscreen = false;
    bool benchmark = false;
    bool validate = false;
    bool offScreen = false;
    bool headless = false;  // off screen through EGL, without any window system
    bool noOverlay = false;
    int width = 0;  // --size; 0 keeps the default window
    int height = 0;
    bool seedGiven = false;
    unsigned seed = 0;
    double stepMilliseconds = 0.0;  // 0: the measured tick time
    long frames = 0;                // 0: no frame limit
    double durationSeconds = 0.0;   // 0: no time limit
    std::string captureFolder;      // empty: no capture
    long captureEvery = 1;
    std::string resultsFile;        // .csv or .json
    double sceneSeconds = 5.0;      // --benchmark times each scene for at least this long
    std::vector<std::string> scenes;  // --scene; empty: every scene
    int swapInterval = -1;          // -1: the driver's own
    int samples = 0;                // 0: no multisampling
    std::string geometry;           // the toolkit's -geometry, passed on to it
    std::string dataPath;           // --data-path: the folder holding resources/
    // The folder the run changes to before the toolkit starts, so that the
    // resources are its ../resources/; empty: the working folder already has them.
    std::string runFolder;

    // The run ends by itself: after its frames, its time, its tour or its validation.
    bool endsByItself() const { return frames > 0 || durationSeconds > 0.0 || benchmark || validate; }
};
