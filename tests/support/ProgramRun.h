#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/types.h>

#include "support/PrivateDisplay.h"

class FrameWatch;

// Runs the staged zendrils program (or another command) on an X server of its own,
// with standard output and standard error captured to separate files, and
// drives its window with xdotool.
class ProgramRun {
public:
    // Starts `program` (default: the staged zendrils) in `workingDirectory`
    // (default: the staged bin/ folder).
    explicit ProgramRun(const std::string& workingDirectory = ZEN_BIN_DIR,
                        const std::string& program = std::string(ZEN_BIN_DIR) + "/zendrils",
                        const std::vector<std::string>& arguments = {});
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    PrivateDisplay display;  // first member: up before the program starts, down after it ends
    pid_t pid = -1;
    std::string stdoutPath;
    std::string stderrPath;

    std::string standardOutput() const;
    std::string standardError() const;
    // Waits until standard output contains `text`; false on timeout or exit.
    bool waitForOutput(const std::string& text, double timeoutSeconds = 20.0);
    // Right-clicks where the pointer is (over the window) and waits for the line
    // the click prints: every event sent before it has then been handled.
    bool sync(double timeoutSeconds = 30.0);
    // Waits until the window has shown `frames` frames after this call; false on
    // timeout. After sync(), a screenshot once two frames have been shown
    // shows what the handled events did.
    bool waitForFrames(int frames, double timeoutSeconds = 30.0);

    // The X window id of the program's window ("" if none appeared).
    std::string findWindow(double timeoutSeconds = 20.0);
    // xdotool key/keyup/keydown names, e.g. "Escape", "l", "shift+c". A key held
    // down repeats at the display's rate until keyUp.
    void key(const std::string& keyName);
    void keyDown(const std::string& keyName);
    void keyUp(const std::string& keyName);
    // Moves the pointer to window coordinates (x, y).
    void moveMouse(int x, int y);
    void click(int button);
    void mouseDown(int button);
    void mouseUp(int button);
    // Saves the window as a PNG; true on success.
    bool screenshot(const std::string& pngPath);

    // True once the process has ended; stores its exit status.
    bool hasExited();
    // Waits for the end of the process; -1 on timeout, else the exit status
    // (128 + signal when killed by a signal).
    int waitForExit(double timeoutSeconds = 20.0);
    void kill();

private:
    std::string window;
    int exitStatus = -1;
    bool exited = false;
    std::unique_ptr<FrameWatch> frameWatch;  // made on the first wait for frames
    void xdotool(const std::string& arguments);
    // Polls `done` until it holds; false on timeout, or once the process has
    // ended without it.
    bool waitUntil(const std::function<bool()>& done, double timeoutSeconds);
};

// Runs a shell command, returning its standard output.
std::string runCommand(const std::string& command);

// A copy of the staged resources in the test's scratch folder `name`; returns the
// bin/ folder beside it, to run the program from.
std::string stagedCopy(const std::string& name);

// A figure of a picture file: ImageMagick applies `operations` (e.g. a crop)
// and evaluates `fx`, by default the mean brightness from 0 to 1.
double imageFigure(const std::string& png, const std::string& operations, const std::string& fx = "mean");

// How often `part` occurs in `text`, e.g. a message in a program's output.
int occurrences(const std::string& text, const std::string& part);

// Lets the program under test run on for a while.
void pause(double seconds);

// Window geometry as xwininfo reports it.
struct WindowGeometry {
    int x = -1;
    int y = -1;
    int width = -1;
    int height = -1;
    std::string title;
};
WindowGeometry windowGeometry(const std::string& windowId);
