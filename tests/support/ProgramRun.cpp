#include "support/ProgramRun.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "support/FrameWatch.h"
#include "support/Scratch.h"

namespace {

int runCounter = 0;

// A report of ASan, LeakSanitizer or UBSan in a sanitized build.
bool hasSanitizerReport(const std::string& text) {
    return text.find("ERROR: AddressSanitizer") != std::string::npos ||
           text.find("ERROR: LeakSanitizer") != std::string::npos ||
           text.find("runtime error: ") != std::string::npos;
}

}  // namespace

std::string runCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
    pclose(pipe);
    return output;
}

std::string stagedCopy(const std::string& name) {
    const std::string root = scratchPath(name);
    runCommand("rm -rf '" + root + "' && mkdir -p '" + root + "/bin' && cp -r '" ZEN_RESOURCES_DIR "' '" + root +
               "/resources'");
    return root + "/bin";
}

double imageFigure(const std::string& png, const std::string& operations, const std::string& fx) {
    return std::atof(
        runCommand("convert '" + png + "' " + operations + " -format '%[fx:" + fx + "]' info: 2>/dev/null").c_str());
}

ProgramRun::ProgramRun(const std::string& workingDirectory, const std::string& program,
                       const std::vector<std::string>& arguments) {
    const std::string base = std::string(ZEN_TEST_TMP_DIR) + "/run-" + std::to_string(getpid()) + "-" +
                             std::to_string(runCounter++);
    stdoutPath = base + ".out";
    stderrPath = base + ".err";
    // Emptied before the fork: the name is an earlier process's once the process
    // ids wrap, and its whole output must never be read as this run's.
    const int out = open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    pid = fork();
    if (pid == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (chdir(workingDirectory.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out);
    close(err);
}

// A sanitizer's report on the program's standard error fails the test that ran
// it, whatever the test itself checks.
ProgramRun::~ProgramRun() {
    kill();
    const std::string errors = standardError();
    if (hasSanitizerReport(errors)) ADD_FAILURE() << "sanitizer report from the program:\n" << errors;
}

std::string ProgramRun::standardOutput() const { return readFile(stdoutPath); }
std::string ProgramRun::standardError() const { return readFile(stderrPath); }

bool ProgramRun::waitUntil(const std::function<bool()>& done, double timeoutSeconds) {
    for (double waited = 0; waited < timeoutSeconds; waited += 0.05) {
        const bool ended = hasExited();  // checked after the end: nothing more comes
        if (done()) return true;
        if (ended) return false;
        pause(0.05);
    }
    return false;
}

bool ProgramRun::waitForOutput(const std::string& text, double timeoutSeconds) {
    return waitUntil([&] { return standardOutput().find(text) != std::string::npos; }, timeoutSeconds);
}

bool ProgramRun::sync(double timeoutSeconds) {
    const std::string line = "[INFO] Right Button clicked at: ";
    const int before = occurrences(standardOutput(), line);
    click(3);
    return waitUntil([&] { return occurrences(standardOutput(), line) > before; }, timeoutSeconds);
}

bool ProgramRun::waitForFrames(int frames, double timeoutSeconds) {
    if (!frameWatch) frameWatch = std::make_unique<FrameWatch>(display.name, window);
    return frameWatch->waitForFrames(frames, timeoutSeconds);
}

std::string ProgramRun::findWindow(double timeoutSeconds) {
    for (double waited = 0; waited < timeoutSeconds && window.empty(); waited += 0.1) {
        std::string ids = runCommand("xdotool search --pid " + std::to_string(pid) +
                                     " --name '^The Zendrils are back$' 2>/dev/null");
        if (ids.empty())
            ids = runCommand("xdotool search --name '^The Zendrils are back$' 2>/dev/null");
        std::istringstream lines(ids);
        lines >> window;
        if (window.empty()) {
            if (hasExited()) break;
            pause(0.1);
        }
    }
    return window;
}

void ProgramRun::xdotool(const std::string& arguments) {
    runCommand("xdotool " + arguments + " >/dev/null 2>&1");
}

void ProgramRun::key(const std::string& keyName) { xdotool("key --window " + window + " " + keyName); }
// Held keys go through the server's keyboard (XTest) to the focused window, so
// that they auto-repeat like real ones; events sent to a window never repeat.
void ProgramRun::keyDown(const std::string& keyName) {
    xdotool("windowfocus --sync " + window + " keydown " + keyName);
}
void ProgramRun::keyUp(const std::string& keyName) { xdotool("windowfocus --sync " + window + " keyup " + keyName); }

void ProgramRun::moveMouse(int x, int y) {
    xdotool("mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
}

void ProgramRun::click(int button) { xdotool("click " + std::to_string(button)); }
void ProgramRun::mouseDown(int button) { xdotool("mousedown " + std::to_string(button)); }
void ProgramRun::mouseUp(int button) { xdotool("mouseup " + std::to_string(button)); }

bool ProgramRun::screenshot(const std::string& pngPath) {
    if (window.empty()) return false;
    runCommand("import -window " + window + " '" + pngPath + "' 2>/dev/null");
    std::ifstream in(pngPath, std::ios::binary);
    return in.good() && in.peek() != EOF;
}

bool ProgramRun::hasExited() {
    if (exited) return true;
    if (pid <= 0) return true;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
        exited = true;
        exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return exited;
}

int ProgramRun::waitForExit(double timeoutSeconds) {
    for (double waited = 0; waited < timeoutSeconds; waited += 0.05) {
        if (hasExited()) return exitStatus;
        pause(0.05);
    }
    return hasExited() ? exitStatus : -1;
}

void ProgramRun::kill() {
    if (hasExited()) return;
    ::kill(pid, SIGKILL);
    waitForExit(5.0);
}

WindowGeometry windowGeometry(const std::string& windowId) {
    WindowGeometry geometry;
    const std::string info = runCommand("xwininfo -id " + windowId + " 2>/dev/null");
    std::istringstream lines(info);
    std::string line;
    while (std::getline(lines, line)) {
        int value;
        if (std::sscanf(line.c_str(), "  Absolute upper-left X: %d", &value) == 1) geometry.x = value;
        if (std::sscanf(line.c_str(), "  Absolute upper-left Y: %d", &value) == 1) geometry.y = value;
        if (std::sscanf(line.c_str(), "  Width: %d", &value) == 1) geometry.width = value;
        if (std::sscanf(line.c_str(), "  Height: %d", &value) == 1) geometry.height = value;
        const size_t open = line.find(" \"");
        if (line.find("xwininfo: Window id:") == 0 && open != std::string::npos)
            geometry.title = line.substr(open + 2, line.rfind('"') - open - 2);
    }
    return geometry;
}

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

void pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }
