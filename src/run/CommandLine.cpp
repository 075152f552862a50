#include "run/CommandLine.h"

#include <climits>
#include <cstdlib>

#include <X11/Xutil.h>
#include <getopt.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/os/OutputPathCheck.h"
#include "platform/os/ShownValue.h"
#include "run/OptionTable.h"

namespace {

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

bool isFolder(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Both paths lead to the same folder: same device, same inode.
bool sameFolder(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && S_ISDIR(first.st_mode) &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// The launcher runs the program in its data folder: relative output paths are
// the caller's.
std::string callersPath(const std::string& path) {
    const char* caller = std::getenv("ZENDRILS_CALLER_DIR");
    if (path.empty() || path[0] == '/' || !caller || !*caller) return path;
    return std::string(caller) + "/" + path;
}

// A relative path as a whole one from the working folder, which the run is about to leave.
std::string fromHere(const std::string& path) {
    char here[PATH_MAX];
    if (path.empty() || path[0] == '/' || !getcwd(here, sizeof here)) return path;
    return std::string(here) + "/" + path;
}

// The folder that holds the program's own file; "" when unknown.
std::string programFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? parentFolder(std::string(path, static_cast<std::size_t>(length))) : "";
}

// Where the run finds its ../resources/: with --data-path, in the real
// resources/ folder itself, whose parent holds it by that name; else, where the
// working folder has none, in the program's own folder if that has one; else
// where it started ("").
std::string checkDataPath(Options& o) {
    if (o.dataPath.empty()) {
        const std::string folder = isFolder("../resources") ? "" : programFolder();
        if (!folder.empty() && isFolder(folder + "/../resources")) o.runFolder = folder;
        return "";
    }
    const std::string resources = callersPath(o.dataPath) + "/resources";
    char real[PATH_MAX];
    if (isFolder(resources) && realpath(resources.c_str(), real) &&
        sameFolder(real + std::string("/../resources"), resources)) {
        o.runFolder = real;
        return "";
    }
    return refusal("--data-path " + quotedValue(o.dataPath) + ": expected a folder holding resources/");
}

std::string checkOutputs(Options& o) {
    o.captureFolder = callersPath(o.captureFolder);
    o.resultsFile = callersPath(o.resultsFile);
    if (!o.runFolder.empty()) {
        o.captureFolder = fromHere(o.captureFolder);
        o.resultsFile = fromHere(o.resultsFile);
    }
    if (!o.captureFolder.empty()) {
        const std::string problem = folderProblem(o.captureFolder);
        if (!problem.empty()) return refusal("--capture " + quotedValue(o.captureFolder) + ": " + problem);
        const std::string references = (o.runFolder.empty() ? ".." : o.runFolder + "/..") + "/resources/references";
        if (sameFolder(o.captureFolder, references))
            return refusal("--capture " + quotedValue(o.captureFolder) +
                           ": the reference frames' folder, never written");
    }
    if (!o.resultsFile.empty()) {
        const std::string problem = outputPathProblem(o.resultsFile);
        if (!problem.empty()) return refusal("--results-file " + quotedValue(o.resultsFile) + ": " + problem);
    }
    return "";
}

// -geometry as the toolkit parses it, its size within the same sides as --size.
std::string checkGeometry(const std::string& geometry) {
    int x = 0, y = 0;
    unsigned width = 0, height = 0;
    const int given = XParseGeometry(geometry.c_str(), &x, &y, &width, &height);
    if (given == NoValue)
        return refusal("-geometry " + quotedValue(geometry) + ": expected WIDTHxHEIGHT+X+Y, its size or its place");
    const bool sizeGiven = given & (WidthValue | HeightValue);
    if (!sizeGiven || (width >= 1 && width <= kLargestSide && height >= 1 && height <= kLargestSide)) return "";
    return refusal("-geometry " + quotedValue(geometry) + ": expected a size of WIDTHxHEIGHT, each from 1 to 8192");
}

bool given(const std::vector<std::string>& names, const char* name) {
    for (const std::string& n : names)
        if (n == name) return true;
    return false;
}

// The names of the toolkit's options given, without their values.
std::vector<std::string> toolkitOptionsGiven(const CommandLine& line) {
    std::vector<std::string> names;
    for (std::size_t k = 1; k + 1 < line.toolkitArguments.size(); ++k) {
        const ToolkitOption* option = findToolkitOption(line.toolkitArguments[k]);
        if (!option) continue;
        names.push_back(option->name);
        if (option->valueName) ++k;
    }
    return names;
}

// Off screen (validation always is) with no display to open (DISPLAY unset or
// empty, no -display), the run goes headless by itself; --headless asks for it
// anywhere and is off screen.
void chooseHeadless(CommandLine& line) {
    Options& o = line.options;
    const char* display = std::getenv("DISPLAY");
    const bool displayGiven = (display && *display) || given(toolkitOptionsGiven(line), "-display");
    o.headless = o.headless || ((o.offScreen || o.validate) && !displayGiven);
    o.offScreen = o.offScreen || o.headless;
}

// A headless run has no window for the toolkit's options, a full screen or a swap interval.
std::string checkHeadless(const CommandLine& line, const std::vector<std::string>& names) {
    if (!line.options.headless) return "";
    std::vector<std::string> windowOptions = toolkitOptionsGiven(line);
    for (const char* name : {"--fullscreen", "--swap-interval"})
        if (given(names, name)) windowOptions.push_back(name);
    if (windowOptions.empty()) return "";
    return refusal(windowOptions[0] + " needs a window, and a headless run has none");
}

std::string checkCombinations(const Options& o, const std::vector<std::string>& names) {
    const char* tour = o.benchmark ? "--benchmark" : o.validate ? "--validate" : nullptr;
    if (o.benchmark && o.validate) return refusal("--benchmark and --validate cannot be given together");
    if (tour)
        for (const char* fixed : {"--seed", "--step", "--duration"})
            if (given(names, fixed))
                return refusal(std::string(fixed) + " cannot be given with " + tour + ", whose tour fixes it");
    if (o.validate)
        for (const char* fixed : {"--size", "--frames", "--capture-every", "--samples"})
            if (given(names, fixed))
                return refusal(std::string(fixed) + " cannot be given with --validate, whose reference frames fix it");
    if (given(names, "--capture-every") && o.captureFolder.empty()) return refusal("--capture-every needs --capture");
    if (given(names, "--results-file") && !o.benchmark) return refusal("--results-file needs --benchmark");
    if (given(names, "--scene") && !tour) return refusal("--scene needs --benchmark or --validate");
    if (given(names, "--scene-seconds") && !o.benchmark) return refusal("--scene-seconds needs --benchmark");
    if (given(names, "--scene-seconds") && o.frames > 0)
        return refusal("--scene-seconds cannot be given with --frames, which fixes each scene's frames");
    if (o.offScreen && !o.endsByItself())
        return refusal("--off-screen needs --frames, --duration, --benchmark or --validate: nothing else ends its run");
    if (o.offScreen && o.fullscreen) return refusal("--fullscreen cannot be given with --off-screen: no window shows");
    return "";
}

// Takes the toolkit's options and their values out of argv, up to "--"; our
// options that take a value keep theirs, whatever it looks like.
void splitToolkitOptions(int argc, char** argv, CommandLine& line, std::vector<char*>& ours) {
    for (int i = 1; i < argc && line.error.empty(); ++i) {
        const std::string argument = argv[i];
        const ToolkitOption* toolkit = findToolkitOption(argument);
        if (argument == "--") {
            for (; i < argc; ++i) ours.push_back(argv[i]);
        } else if (toolkit) {
            line.toolkitArguments.push_back(argv[i]);
            if (!toolkit->valueName) continue;
            if (i + 1 >= argc) line.error = refusal("option '" + argument + "' needs a value");
            else line.toolkitArguments.push_back(argv[++i]);
            if (argument == "-geometry" && line.error.empty()) line.options.geometry = argv[i];
            if (argument == "-geometry" && line.error.empty() && !*argv[i]) line.error = checkGeometry("");
        } else {
            ours.push_back(argv[i]);
            const OptionEntry* entry = argument.compare(0, 2, "--") == 0 ? resolveOption(argument) : nullptr;
            if (entry && entry->valueName && i + 1 < argc) ours.push_back(argv[++i]);
        }
    }
}

// The long options of the table for getopt_long; each returns 256 + its index.
std::vector<option> longOptions() {
    std::vector<option> options;
    for (std::size_t k = 0; k < kOptionCount; ++k)
        options.push_back({kOptionTable[k].name + 2, kOptionTable[k].valueName ? required_argument : no_argument,
                           nullptr, static_cast<int>(256 + k)});
    options.push_back({nullptr, 0, nullptr, 0});
    return options;
}

// getopt's string of the short options, ":h": a missing value is told apart.
std::string shortOptionString() {
    std::string text = ":";
    for (std::size_t k = 0; k < kOptionCount; ++k) {
        const OptionEntry& entry = kOptionTable[k];
        if (entry.shortName) text += std::string(entry.shortName + 1) + (entry.valueName ? ":" : "");
    }
    return text;
}

// What getopt_long returned, a short option as its long one's value.
int longOptionValue(int result) {
    for (std::size_t k = 0; k < kOptionCount; ++k)
        if (kOptionTable[k].shortName && result == kOptionTable[k].shortName[1]) return static_cast<int>(256 + k);
    return result;
}

// "--size, --seed or --step": the options whose names begin with `name`.
std::string optionsBeginning(const std::string& name) {
    std::vector<std::string> names;
    for (std::size_t k = 0; k < kOptionCount; ++k)
        if (std::string(kOptionTable[k].name).compare(0, name.size(), name) == 0) names.push_back(kOptionTable[k].name);
    std::string list;
    for (std::size_t k = 0; k < names.size(); ++k)
        list += (k == 0 ? "" : k + 1 == names.size() ? " or " : ", ") + names[k];
    return list;
}

// The refusal for what getopt_long could not take, at `argument`.
std::string notTaken(int result, const std::string& argument) {
    const std::string name = argument.substr(0, argument.find('='));
    if (result == ':') return refusal("option " + quotedValue(name) + " needs a value");
    if (optopt >= 256) return refusal("option " + quotedValue(name) + " takes no value");
    if (optopt > 0)
        return refusal("unknown option " + quotedValue("-" + std::string(1, static_cast<char>(optopt))) +
                       "; see zendrils --help");
    int matches = 0;
    resolveOption(name, &matches);
    if (matches > 1) return refusal("option " + quotedValue(name) + " is ambiguous: " + optionsBeginning(name));
    return refusal("unknown option " + quotedValue(argument) + "; see zendrils --help");
}

// Our arguments through getopt_long; fills `names` with the options given.
std::string parseOurs(std::vector<char*> ours, Options& o, std::vector<std::string>& names) {
    ours.insert(ours.begin(), const_cast<char*>("zendrils"));
    const std::vector<option> options = longOptions();
    const int count = static_cast<int>(ours.size());
    ours.push_back(nullptr);
    optind = 0;  // starts getopt afresh
    opterr = 0;
    int result;
    const std::string shortOptions = shortOptionString();
    while ((result = getopt_long(count, ours.data(), shortOptions.c_str(), options.data(), nullptr)) != -1) {
        result = longOptionValue(result);
        if (result < 256) return notTaken(result, ours[optind - 1]);
        const OptionEntry& entry = kOptionTable[result - 256];
        names.push_back(entry.name);
        const std::string value = optarg ? optarg : "";
        if (entry.apply(o, value)) continue;
        if (!entry.range) return refusal("option '" + std::string(entry.name) + "' needs a value");
        return refusal(std::string(entry.name) + " " + quotedValue(value) + ": expected " + entry.range);
    }
    if (optind < count) return refusal("unexpected argument " + quotedValue(ours[optind]) + "; see zendrils --help");
    return "";
}

}  // namespace

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine line;
    line.toolkitArguments.push_back(argc > 0 ? argv[0] : const_cast<char*>("zendrils"));
    std::vector<char*> ours;
    std::vector<std::string> names;
    splitToolkitOptions(argc, argv, line, ours);
    if (line.error.empty()) line.error = parseOurs(ours, line.options, names);
    line.toolkitArguments.push_back(nullptr);
    const Options& o = line.options;
    if (!line.error.empty() || o.help || o.version || o.listScenes) return line;
    if (!o.geometry.empty()) line.error = checkGeometry(o.geometry);
    chooseHeadless(line);
    if (line.error.empty()) line.error = checkHeadless(line, names);
    if (line.error.empty()) line.error = checkCombinations(o, names);
    if (line.error.empty()) line.error = checkDataPath(line.options);
    if (line.error.empty()) line.error = checkOutputs(line.options);
    return line;
}
