#pragma once

#include <cstddef>
#include <string>

struct Options;

// One option of the program, as the parser, --help and the manual page know it.
struct OptionEntry {
    const char* name;          // "--size"
    const char* valueName;     // "WxH"; null for a flag
    const char* range;         // what a good value is ("WIDTHxHEIGHT, each from 1 to 8192"); null: any
    const char* defaultValue;  // null when the option has no default to show
    const char* help;
    bool (*apply)(Options& options, const std::string& value);  // false: the value is refused
    const char* shortName = nullptr;  // "-h"
};

extern const OptionEntry kOptionTable[];
extern const std::size_t kOptionCount;

// One option of the windowing toolkit, which the program passes on to it.
struct ToolkitOption {
    const char* name;       // "-geometry"
    const char* valueName;  // null for a flag
    const char* help;
};

extern const ToolkitOption kToolkitOptions[];
extern const std::size_t kToolkitOptionCount;

const OptionEntry* findOption(const std::string& name);
// The option that `name` ("--si") names exactly or as its only abbreviation;
// null when it names none or, ambiguously, several (counted in `matches`).
const OptionEntry* resolveOption(const std::string& name, int* matches = nullptr);
const ToolkitOption* findToolkitOption(const std::string& name);

// The largest window side, of --size and -geometry alike.
constexpr int kLargestSide = 8192;
