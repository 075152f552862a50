#include "app/Options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "app/Version.h"

namespace {

constexpr int kLargestSide = 8192;
constexpr long kLargestCount = 2147483647L;

using Apply = bool (*)(Options&, const std::string& value);

struct OptionEntry {
    const char* name;
    const char* valueName;  // null for a flag
    const char* expected;   // what a good value is, for the refusal
    const char* help;
    Apply apply;
};

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

// A whole number from 1 to `largest`.
bool parseCount(const std::string& text, long largest, long& out) {
    unsigned long long value = 0;
    if (!parseWhole(text, 1, static_cast<unsigned long long>(largest), value)) return false;
    out = static_cast<long>(value);
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
    long width = 0, height = 0;
    if (x == std::string::npos || !parseCount(text.substr(0, x), kLargestSide, width) ||
        !parseCount(text.substr(x + 1), kLargestSide, height))
        return false;
    o.width = static_cast<int>(width);
    o.height = static_cast<int>(height);
    return true;
}

bool parseSeed(Options& o, const std::string& text) {
    unsigned long long value = 0;
    if (!parseWhole(text, 0, 4294967295ULL, value)) return false;
    o.seed = static_cast<unsigned>(value);
    o.seedGiven = true;
    return true;
}

bool parseResultsFile(Options& o, const std::string& text) {
    const size_t dot = text.rfind('.');
    const std::string ending = dot == std::string::npos ? "" : text.substr(dot);
    if (ending != ".csv" && ending != ".json") return false;
    o.resultsFile = text;
    return true;
}

const OptionEntry kOptions[] = {
    {"--help", nullptr, nullptr, "print this help and exit",
     [](Options& o, const std::string&) { return o.help = true; }},
    {"--version", nullptr, nullptr, "print the version and exit",
     [](Options& o, const std::string&) { return o.version = true; }},
    {"--info", nullptr, nullptr,
     "print the OpenGL vendor, renderer and version and whether each extension the program uses is there, then run",
     [](Options& o, const std::string&) { return o.info = true; }},
    {"--size", "WxH", "WIDTHxHEIGHT, each from 1 to 8192", "a window of W by H pixels (default 1024x768)",
     parseSize},
    {"--fullscreen", nullptr, nullptr, "fill the screen",
     [](Options& o, const std::string&) { return o.fullscreen = true; }},
    {"--seed", "N", "a whole number from 0 to 4294967295",
     "seed of the asteroid field's random generator (default: the clock)", parseSeed},
    {"--step", "MS", "milliseconds above 0 and at most 1000",
     "advance the scene by MS milliseconds before every frame instead of the measured time; with --seed, every run "
     "draws the same frames",
     [](Options& o, const std::string& v) { return parsePositive(v, 1000.0, o.stepMilliseconds); }},
    {"--frames", "N", "a whole number of frames from 1",
     "end after N frames; with --benchmark, make every scene N frames long",
     [](Options& o, const std::string& v) { return parseCount(v, kLargestCount, o.frames); }},
    {"--duration", "S", "seconds above 0 and at most 1000000", "end after S seconds of running (start-up not counted)",
     [](Options& o, const std::string& v) { return parsePositive(v, 1e6, o.durationSeconds); }},
    {"--capture", "DIR", nullptr, "write the frames to the folder DIR as frame-000001.png, frame-000002.png, ...",
     [](Options& o, const std::string& v) { return !(o.captureFolder = v).empty(); }},
    {"--capture-every", "K", "a whole number from 1", "with --capture, write only every K-th frame (default 1)",
     [](Options& o, const std::string& v) { return parseCount(v, kLargestCount, o.captureEvery); }},
    {"--benchmark", nullptr, nullptr,
     "fly a fixed tour of four scenes, print each scene's frame rate and frame times and a score, and exit",
     [](Options& o, const std::string&) { return o.benchmark = true; }},
    {"--results-file", "FILE", "a file name ending in .csv or .json",
     "with --benchmark, also write its figures to FILE, as CSV or JSON by its ending", parseResultsFile},
};

// The toolkit's own options, left to glutInit.
struct ToolkitOption {
    const char* name;
    bool takesValue;
};

const ToolkitOption kToolkitOptions[] = {{"-display", true}, {"-geometry", true}, {"-iconic", false},
                                         {"-direct", false}, {"-indirect", false}, {"-sync", false},
                                         {"-gldebug", false}};

const OptionEntry* findOption(const std::string& name) {
    for (const OptionEntry& entry : kOptions)
        if (name == entry.name) return &entry;
    return nullptr;
}

const ToolkitOption* findToolkitOption(const std::string& argument) {
    for (const ToolkitOption& option : kToolkitOptions)
        if (argument == option.name) return &option;
    return nullptr;
}

std::string refusal(const std::string& text) { return "zendrils: " + text; }

// Why `path` cannot take new files, or "" when it can.
std::string folderProblem(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return "no such folder";
    if (!S_ISDIR(status.st_mode)) return "not a folder";
    if (access(path.c_str(), W_OK | X_OK) != 0) return "folder not writable";
    return "";
}

std::string parentFolder(const std::string& file) {
    const size_t slash = file.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

// The launcher runs the program in its data folder: relative output paths are
// the caller's.
std::string callersPath(const std::string& path) {
    const char* caller = std::getenv("ZENDRILS_CALLER_DIR");
    if (path.empty() || path[0] == '/' || !caller || !*caller) return path;
    return std::string(caller) + "/" + path;
}

std::string checkOutputs(Options& o) {
    o.captureFolder = callersPath(o.captureFolder);
    o.resultsFile = callersPath(o.resultsFile);
    if (!o.captureFolder.empty()) {
        const std::string problem = folderProblem(o.captureFolder);
        if (!problem.empty()) return refusal("--capture '" + o.captureFolder + "': " + problem);
    }
    if (!o.resultsFile.empty()) {
        const std::string problem = folderProblem(parentFolder(o.resultsFile));
        if (!problem.empty()) return refusal("--results-file '" + o.resultsFile + "': " + problem);
    }
    return "";
}

std::string checkCombinations(const Options& o, const std::vector<std::string>& given) {
    auto was = [&](const char* name) {
        for (const std::string& g : given)
            if (g == name) return true;
        return false;
    };
    if (o.benchmark)
        for (const char* fixed : {"--seed", "--step", "--duration"})
            if (was(fixed)) return refusal(std::string(fixed) + " cannot be given with --benchmark, whose tour fixes it");
    if (was("--capture-every") && o.captureFolder.empty()) return refusal("--capture-every needs --capture");
    if (was("--results-file") && !o.benchmark) return refusal("--results-file needs --benchmark");
    return "";
}

// One argument of ours at argv[i], in the form --name or --name=value; takes
// the value from the next argument when needed. Returns the refusal or "".
std::string takeOption(int argc, char** argv, int& i, Options& o, std::vector<std::string>& given) {
    const std::string argument = argv[i];
    const size_t equals = argument.find('=');
    const std::string name = argument == "-h" ? "--help" : argument.substr(0, equals);
    const OptionEntry* entry = argument.compare(0, 2, "--") == 0 || argument == "-h" ? findOption(name) : nullptr;
    if (!entry) return refusal("unknown option '" + argument + "'; see zendrils --help");
    given.push_back(name);
    std::string value;
    if (!entry->valueName) {
        if (equals != std::string::npos) return refusal("option '" + name + "' takes no value");
    } else if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
    } else if (i + 1 < argc) {
        value = argv[++i];
    } else {
        return refusal("option '" + name + "' needs a value");
    }
    if (entry->apply(o, value)) return "";
    if (!entry->expected) return refusal("option '" + name + "' needs a value");
    return refusal(name + " '" + value + "': expected " + entry->expected);
}

}  // namespace

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine line;
    std::vector<std::string> given;
    line.toolkitArguments.push_back(argc > 0 ? argv[0] : const_cast<char*>("zendrils"));
    for (int i = 1; i < argc && line.error.empty(); ++i) {
        const std::string argument = argv[i];
        const ToolkitOption* toolkit = findToolkitOption(argument);
        if (toolkit) {
            line.toolkitArguments.push_back(argv[i]);
            if (!toolkit->takesValue) continue;
            if (i + 1 >= argc) line.error = refusal("option '" + argument + "' needs a value");
            else line.toolkitArguments.push_back(argv[++i]);
            if (argument == "-geometry" && line.error.empty()) line.options.geometry = argv[i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            line.error = takeOption(argc, argv, i, line.options, given);
        } else {
            line.error = refusal("unexpected argument '" + argument + "'; see zendrils --help");
        }
    }
    line.toolkitArguments.push_back(nullptr);
    if (line.error.empty() && !line.options.help && !line.options.version)
        line.error = checkCombinations(line.options, given);
    if (line.error.empty() && !line.options.help && !line.options.version) line.error = checkOutputs(line.options);
    return line;
}

namespace {

// Text wrapped to `width` columns, every line after the first indented by `indent`.
std::string wrapped(const std::string& text, size_t indent, size_t width) {
    std::istringstream words(text);
    std::string word, out, line;
    while (words >> word) {
        if (!line.empty() && indent + line.size() + 1 + word.size() > width) {
            out += line + "\n" + std::string(indent, ' ');
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return out + line;
}

const char* const kKeys =
    "Keys:\n"
    "  m                    follow camera (the default): trails the fighter\n"
    "  c                    free camera\n"
    "  C                    fixed view of the planet from (0, 0, 10)\n"
    "  arrow keys, Page Up, Page Down\n"
    "                       move the free camera forward, back, left, right, up,\n"
    "                       down\n"
    "  mouse (no button)    look around with the free camera; steer the fighter in\n"
    "                       free flight\n"
    "  l (on release)       take the fighter off its path into free flight, or back\n"
    "                       onto the path\n"
    "  w, s                 free flight: forward, backward\n"
    "  r, f                 free flight: up, down\n"
    "  a, d                 turn and bank left, right\n"
    "  k (on release)       cycle the path overlay: off, curve, curve with control\n"
    "                       points, frames\n"
    "  p                    polygon mode: filled, lines, points\n"
    "  +, -                 follow camera further back, closer (held, they repeat)\n"
    "  R                    reset the fixed view\n"
    "  left button          print the pointer position and the fighter's position;\n"
    "                       drag in the fixed view to print rotation angles\n"
    "  right button         print the pointer position\n"
    "  wheel                move the fixed view's eye along z\n"
    "  Escape               quit\n";

}  // namespace

std::string usageText() {
    std::string text =
        "Usage: zendrils [OPTION]... [TOOLKIT OPTION]...\n"
        "The Zendrils are back: a space fighter flies along spline paths through tumbling\n"
        "asteroids, past a planet and a landing podium, in one OpenGL window. Without\n"
        "options it runs until Escape is pressed.\n"
        "\n"
        "Options:\n";
    for (const OptionEntry& entry : kOptions) {
        std::string head = std::string(entry.name == std::string("--help") ? "  -h, " : "      ") + entry.name;
        if (entry.valueName) head += std::string(" ") + entry.valueName;
        head += head.size() < 23 ? std::string(23 - head.size(), ' ') : "\n" + std::string(23, ' ');
        text += head + wrapped(entry.help, 23, 79) + "\n";
    }
    text +=
        "Options take their value as the next argument or after '=' (--size=800x600).\n"
        "\n"
        "Toolkit options, passed to GLUT:\n"
        "  -display NAME        the X display to open\n"
        "  -geometry WxH+X+Y    the window's size and place (default 1024x768+50+50)\n"
        "  -iconic, -direct, -indirect, -sync, -gldebug\n"
        "\n";
    text += kKeys;
    text +=
        "\n"
        "Exit status:\n"
        "  0                    the run ended by Escape, --frames, --duration or the end\n"
        "                       of the benchmark\n"
        "  1                    it failed: a frame or results file that could not be\n"
        "                       written, missing or broken shaders, no display\n"
        "  2                    a bad command line\n";
    return text;
}

std::string versionText() { return std::string("zendrils ") + ZEN_VERSION; }
