#include "run/Usage.h"

#include <sstream>

#include "app/Version.h"
#include "run/OptionTable.h"
#include "run/Scenes.h"

const KeyEntry kKeyTable[] = {
    {"m", "follow camera (the default): trails the fighter"},
    {"c", "free camera"},
    {"C", "fixed view of the planet from (0, 0, 10)"},
    {"arrow keys, Page Up, Page Down", "move the free camera forward, back, left, right, up, down"},
    {"mouse (no button)", "look around with the free camera; steer the fighter in free flight"},
    {"l (on release)", "take the fighter off its path into free flight, or back onto the path"},
    {"w, s", "free flight: forward, backward"},
    {"r, f", "free flight: up, down"},
    {"a, d", "turn and bank left, right"},
    {"k (on release)", "cycle the path overlay: off, curve, curve with control points, frames"},
    {"p", "polygon mode: filled, lines, points"},
    {"+, -", "follow camera further back, closer (held, they repeat)"},
    {"R", "reset the fixed view"},
    {"left button", "print the pointer position and the fighter's position; drag in the fixed view to print "
                    "rotation angles"},
    {"right button", "print the pointer position"},
    {"wheel", "move the fixed view's eye along z"},
    {"Escape", "quit"},
};
const std::size_t kKeyCount = sizeof kKeyTable / sizeof *kKeyTable;

const ExitStatusEntry kExitStatusTable[] = {
    {0, "the run ended by Escape, --frames, --duration or the end of the benchmark, or every frame of --validate "
        "passed"},
    {1, "it failed: a frame of --validate that differs from its reference, a frame or results file that could not "
        "be written, missing or broken shaders, a driver without what an option needs, no display, memory exhausted"},
    {2, "a bad command line"},
};
const std::size_t kExitStatusCount = sizeof kExitStatusTable / sizeof *kExitStatusTable;

const char* const kProgramSummary =
    "The Zendrils are back: a space fighter flies along spline paths through tumbling asteroids, past a planet and "
    "a landing podium, in one OpenGL window. Without options it runs until Escape is pressed.";

namespace {

const std::size_t kColumn = 23;
const std::size_t kWidth = 79;

// Text wrapped to kWidth columns, every line after the first indented by `indent`.
std::string wrapped(const std::string& text, std::size_t indent) {
    std::istringstream words(text);
    std::string word, out, line;
    while (words >> word) {
        if (!line.empty() && indent + line.size() + 1 + word.size() > kWidth) {
            out += line + "\n" + std::string(indent, ' ');
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return out + line;
}

// "  head                 text", the text wrapped in its column.
std::string item(std::string head, const std::string& text) {
    head += head.size() < kColumn ? std::string(kColumn - head.size(), ' ') : "\n" + std::string(kColumn, ' ');
    return head + wrapped(text, kColumn) + "\n";
}

}  // namespace

std::string optionDescription(const OptionEntry& entry) {
    std::string text = entry.help;
    if (entry.range && entry.defaultValue)
        text += std::string(" (") + entry.range + "; default " + entry.defaultValue + ")";
    else if (entry.range)
        text += std::string(" (") + entry.range + ")";
    else if (entry.defaultValue)
        text += std::string(" (default ") + entry.defaultValue + ")";
    return text;
}

std::string usageText() {
    std::string text = "Usage: zendrils [OPTION]... [TOOLKIT OPTION]...\n" + wrapped(kProgramSummary, 0) +
                       "\n\nOptions:\n";
    for (std::size_t k = 0; k < kOptionCount; ++k) {
        const OptionEntry& entry = kOptionTable[k];
        std::string head = (entry.shortName ? "  " + std::string(entry.shortName) + ", " : "      ") + entry.name;
        if (entry.valueName) head += std::string(" ") + entry.valueName;
        text += item(head, optionDescription(entry));
    }
    text += "Options take their value as the next argument or after '=' (--size=800x600), and\n"
            "may be shortened while they stay unambiguous (--bench); -- ends them.\n\n"
            "Toolkit options, passed to GLUT:\n";
    for (std::size_t k = 0; k < kToolkitOptionCount; ++k) {
        const ToolkitOption& option = kToolkitOptions[k];
        text += item(std::string("  ") + option.name + (option.valueName ? std::string(" ") + option.valueName : ""),
                     option.help);
    }
    text += "\nKeys:\n";
    for (std::size_t k = 0; k < kKeyCount; ++k)
        text += item(std::string("  ") + kKeyTable[k].keys, kKeyTable[k].action);
    text += "\nExit status:\n";
    for (std::size_t k = 0; k < kExitStatusCount; ++k)
        text += item("  " + std::to_string(kExitStatusTable[k].status), kExitStatusTable[k].meaning);
    return text;
}

std::string versionText() { return std::string("zendrils ") + ZEN_VERSION; }

std::string sceneListText() {
    std::string text;
    for (std::size_t k = 0; k < kTourSceneCount; ++k)
        text += item(std::string("  ") + kTourScenes[k].name,
                     std::to_string(kTourScenes[k].frames) + " frames: " + kTourScenes[k].description);
    return text;
}
