#include "run/OptionTable.h"

#include <cstdlib>
#include <string>

#include "run/Options.h"
#include "run/Scenes.h"

namespace {

constexpr long kLargestCount = 2147483647L;

bool allDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A whole number from `least` to `most`, digits only.
bool parseWhole(const std::string& text, unsigned long long least, unsigned long long most,
                unsigned long long& out) {
    if (!allDigits(text) || text.size() > 10) return false;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (value < least || value > most) return false;
    out = value;
    return true;
}

template <typename Number>
bool parseWholeInto(const std::string& text, unsigned long long least, unsigned long long most, Number& out) {
    unsigned long long value = 0;
    if (!parseWhole(text, least, most, value)) return false;
    out = static_cast<Number>(value);
    return true;
}

// A decimal number above 0 and at most `largest`, digits and one point only.
bool parsePositive(const std::string& text, double largest, double& out) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos ||
        text.find('.') != text.rfind('.') || text == ".")
        return false;
    const double value = std::strtod(text.c_str(), nullptr);
    if (!(value > 0.0) || value > largest) return false;
    out = value;
    return true;
}

bool parseSize(Options& o, const std::string& text) {
    const size_t x = text.find('x');
    return x != std::string::npos && parseWholeInto(text.substr(0, x), 1, kLargestSide, o.width) &&
           parseWholeInto(text.substr(x + 1), 1, kLargestSide, o.height);
}

bool parseSeed(Options& o, const std::string& text) {
    return o.seedGiven = parseWholeInto(text, 0, 4294967295ULL, o.seed);
}

bool parseResultsFile(Options& o, const std::string& text) {
    const size_t dot = text.rfind('.');
    const std::string ending = dot == std::string::npos ? "" : text.substr(dot);
    if (ending != ".csv" && ending != ".json") return false;
    o.resultsFile = text;
    return true;
}

// Scene names separated by commas, each known and given once.
bool parseScenes(Options& o, const std::string& text) {
    o.scenes.clear();
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string name = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!findScene(name)) return false;
        for (const std::string& given : o.scenes)
            if (given == name) return false;
        o.scenes.push_back(name);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

template <bool Options::*Field>
bool setFlag(Options& o, const std::string&) {
    return o.*Field = true;
}

}  // namespace

const OptionEntry kOptionTable[] = {
    {"--help", nullptr, nullptr, nullptr, "print this help and exit", setFlag<&Options::help>, "-h"},
    {"--version", nullptr, nullptr, nullptr, "print the version and exit", setFlag<&Options::version>},
    {"--info", nullptr, nullptr, nullptr,
     "print the OpenGL vendor, renderer and version, the swap interval and samples in effect, and whether each "
     "extension the program uses is there, then run",
     setFlag<&Options::info>},
    {"--size", "WxH", "WIDTHxHEIGHT, each from 1 to 8192", "1024x768", "a window of W by H pixels", parseSize},
    {"--fullscreen", nullptr, nullptr, nullptr, "fill the screen", setFlag<&Options::fullscreen>},
    {"--seed", "N", "a whole number from 0 to 4294967295", "the clock",
     "seed of the asteroid field's random generator", parseSeed},
    {"--step", "MS", "milliseconds above 0 and at most 1000", "the measured time",
     "advance the scene by MS milliseconds before every frame; with --seed, every run draws the same frames",
     [](Options& o, const std::string& v) { return parsePositive(v, 1000.0, o.stepMilliseconds); }},
    {"--frames", "N", "a whole number from 1 to 2147483647", "no limit",
     "end after N frames; with --benchmark, time exactly N frames of every scene, in one flight",
     [](Options& o, const std::string& v) { return parseWholeInto(v, 1, kLargestCount, o.frames); }},
    {"--duration", "S", "seconds above 0 and at most 1000000", "no limit",
     "end after S seconds of running, start-up not counted",
     [](Options& o, const std::string& v) { return parsePositive(v, 1e6, o.durationSeconds); }},
    {"--no-overlay", nullptr, nullptr, nullptr,
     "hide the frame-rate figure; with --seed and --step, every run draws the same frames byte for byte",
     setFlag<&Options::noOverlay>},
    {"--off-screen", nullptr, nullptr, nullptr,
     "draw every frame into an off-screen framebuffer of the asked size, the window hidden and the frame-rate "
     "figure too; needs --frames, --duration, --benchmark or --validate, and cannot be given with --fullscreen",
     setFlag<&Options::offScreen>},
    {"--headless", nullptr, nullptr, nullptr,
     "as --off-screen, but without any window system or display: the context comes from EGL (a GPU's device, "
     "else Mesa's surfaceless platform); --off-screen does this by itself where DISPLAY is unset or empty",
     setFlag<&Options::headless>},
    {"--capture", "DIR", "a folder that exists and can be written", nullptr,
     "write the frames to the folder DIR as frame-000001.png, frame-000002.png, ...; with --validate, the frames "
     "that fail and their differences",
     [](Options& o, const std::string& v) { return !(o.captureFolder = v).empty(); }},
    {"--capture-every", "K", "a whole number from 1 to 2147483647", "1",
     "with --capture, write only every K-th frame",
     [](Options& o, const std::string& v) { return parseWholeInto(v, 1, kLargestCount, o.captureEvery); }},
    {"--swap-interval", "N", "a whole number from 0 to 10", "the driver's; 0 with --benchmark and --validate",
     "show a frame every N refreshes of the screen, 0 as fast as possible",
     [](Options& o, const std::string& v) { return parseWholeInto(v, 0, 10, o.swapInterval); }},
    {"--samples", "N", "a whole number from 1 to 64", "1", "draw with N samples a pixel, smoothing the edges",
     [](Options& o, const std::string& v) { return parseWholeInto(v, 1, 64, o.samples); }},
    {"--benchmark", nullptr, nullptr, nullptr,
     "fly the tour's scenes, print each scene's frame rate and frame times and a score, and exit",
     setFlag<&Options::benchmark>},
    {"--validate", nullptr, nullptr, nullptr,
     "fly the tour's scenes and compare their frames, drawn off screen at 320x240 whatever the window's size, with "
     "the installed reference frames; status 1 when any differs",
     setFlag<&Options::validate>},
    {"--scene", "NAME[,NAME...]", "scene names that --list-scenes prints, each once", "every scene",
     "with --benchmark or --validate, fly only these scenes, in this order", parseScenes},
    {"--scene-seconds", "S", "seconds from 0.1 to 600", "5",
     "with --benchmark, time each scene for at least S seconds, flying its segment again from its start as often "
     "as that takes",
     [](Options& o, const std::string& v) {
         return parsePositive(v, 600.0, o.sceneSeconds) && o.sceneSeconds >= 0.1;
     }},
    {"--list-scenes", nullptr, nullptr, nullptr, "print the tour's scenes and exit", setFlag<&Options::listScenes>},
    {"--results-file", "FILE", "a file name ending in .csv or .json", nullptr,
     "with --benchmark, also write its figures to FILE, as CSV or JSON by its ending", parseResultsFile},
    {"--data-path", "DIR", "a folder holding resources/",
     "the working folder's parent, else the parent of the program's own folder",
     "read the shaders, models, textures, paths and reference frames from DIR/resources/",
     [](Options& o, const std::string& v) { return !(o.dataPath = v).empty(); }},
};
const std::size_t kOptionCount = sizeof kOptionTable / sizeof *kOptionTable;

const ToolkitOption kToolkitOptions[] = {
    {"-display", "NAME", "the X display to open"},
    {"-geometry", "WxH+X+Y", "the window's size and place, each side from 1 to 8192 (default 1024x768+50+50)"},
    {"-iconic", nullptr, "start the window iconified"},
    {"-direct", nullptr, "insist on a direct rendering context"},
    {"-indirect", nullptr, "use an indirect rendering context"},
    {"-sync", nullptr, "talk to the X server synchronously"},
    {"-gldebug", nullptr, "check for OpenGL errors after every callback and report them"},
};
const std::size_t kToolkitOptionCount = sizeof kToolkitOptions / sizeof *kToolkitOptions;

const OptionEntry* findOption(const std::string& name) {
    for (const OptionEntry& entry : kOptionTable)
        if (name == entry.name) return &entry;
    return nullptr;
}

const OptionEntry* resolveOption(const std::string& name, int* matches) {
    const OptionEntry* found = findOption(name);
    int count = found ? 1 : 0;
    for (std::size_t k = 0; !found && k < kOptionCount; ++k)
        if (name.size() > 2 && std::string(kOptionTable[k].name).compare(0, name.size(), name) == 0) ++count;
    for (std::size_t k = 0; !found && count == 1 && k < kOptionCount; ++k)
        if (std::string(kOptionTable[k].name).compare(0, name.size(), name) == 0) found = &kOptionTable[k];
    if (matches) *matches = count;
    return found;
}

const ToolkitOption* findToolkitOption(const std::string& name) {
    for (const ToolkitOption& option : kToolkitOptions)
        if (name == option.name) return &option;
    return nullptr;
}
