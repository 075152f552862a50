#pragma once

#include <string>
#include <vector>

#include "run/Options.h"

// The command line split into the program's options and the toolkit's arguments.
struct CommandLine {
    Options options;
    std::vector<char*> toolkitArguments;  // the program name and the toolkit's options, null-terminated
    std::string error;                    // one line naming the option; empty when the line is good
};

// Never opens a display. The toolkit's options (-display, -geometry, ...) are
// taken out first, with their values; the rest is ours, in GNU style: --name
// VALUE or --name=VALUE, any unambiguous abbreviation, -- ends the options.
// Relative output paths are taken from the folder in ZENDRILS_CALLER_DIR when
// the launcher sets it (it runs the program elsewhere).
CommandLine parseCommandLine(int argc, char** argv);

// Exit status of a refused command line.
constexpr int kBadCommandLine = 2;
