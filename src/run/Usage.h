#pragma once

#include <cstddef>
#include <string>

#include "run/OptionTable.h"

// The keys and mouse controls, as --help and the manual page list them.
struct KeyEntry {
    const char* keys;
    const char* action;
};
extern const KeyEntry kKeyTable[];
extern const std::size_t kKeyCount;

struct ExitStatusEntry {
    int status;
    const char* meaning;
};
extern const ExitStatusEntry kExitStatusTable[];
extern const std::size_t kExitStatusCount;

// What the program is, in a sentence or two.
extern const char* const kProgramSummary;

// An option's help with its range and default: "a window of W by H pixels
// (WIDTHxHEIGHT, each from 1 to 8192; default 1024x768)".
std::string optionDescription(const OptionEntry& entry);

// --help: every option with its range and default, the toolkit's options, the
// keys and the exit statuses.
std::string usageText();
// --version: "zendrils <version>".
std::string versionText();
// --list-scenes: each scene's name and what it shows, a line each.
std::string sceneListText();
