#pragma once

#include <string>
#include <vector>

// What the command line asks for. The defaults are the plain run: the window of
// the start-up sequence, the measured step, no end but Escape.
struct Options {
    bool help = false;
    bool version = false;
    bool info = false;
    bool fullscreen = false;
    bool benchmark = false;
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
    std::string geometry;           // the toolkit's -geometry, passed on to it
};

// The command line split into the program's options and the toolkit's arguments.
struct CommandLine {
    Options options;
    std::vector<char*> toolkitArguments;  // the program name and the toolkit's options, null-terminated
    std::string error;                    // one line naming the option; empty when the line is good
};

// Never opens a display. Relative output paths are taken from the folder in
// ZENDRILS_CALLER_DIR when the launcher sets it (it runs the program elsewhere).
CommandLine parseCommandLine(int argc, char** argv);

// --help: every option, the toolkit's options, the keys and the exit statuses.
std::string usageText();
// --version: "zendrils <version>".
std::string versionText();

// Exit status of a refused command line.
constexpr int kBadCommandLine = 2;
