// zen_manual_writer: writes the manual page zendrils(6) from its roff template.
//
//   zen_manual_writer <template> <page> <date>
//
// A template line that holds nothing but a placeholder gives way to a part made
// from the program's own tables, those --help prints: @OPTIONS@,
// @TOOLKIT_OPTIONS@, @KEYS@, @EXIT_STATUS@ and @SCENES@ (the tour's). @VERSION@
// and @DATE@ anywhere on a line become the program's version and the date.

#include <fstream>
#include <iostream>
#include <string>

#include "Roff.h"
#include "app/Version.h"
#include "platform/os/OutputFile.h"
#include "run/Scenes.h"
#include "run/Usage.h"

namespace {

std::string optionTag(const char* name, const char* valueName) {
    return roffBold(name) + (valueName ? " " + roffItalic(valueName) : "");
}

std::string options() {
    std::string roff;
    for (std::size_t k = 0; k < kOptionCount; ++k) {
        const OptionEntry& entry = kOptionTable[k];
        std::string tag = optionTag(entry.name, entry.valueName);
        if (entry.shortName) tag = roffBold(entry.shortName) + ", " + tag;
        roff += roffItem(tag, optionDescription(entry));
    }
    return roff;
}

std::string toolkitOptions() {
    std::string roff;
    for (std::size_t k = 0; k < kToolkitOptionCount; ++k)
        roff += roffItem(optionTag(kToolkitOptions[k].name, kToolkitOptions[k].valueName), kToolkitOptions[k].help);
    return roff;
}

std::string keys() {
    std::string roff;
    for (std::size_t k = 0; k < kKeyCount; ++k) roff += roffItem(roffBold(kKeyTable[k].keys), kKeyTable[k].action);
    return roff;
}

std::string exitStatuses() {
    std::string roff;
    for (std::size_t k = 0; k < kExitStatusCount; ++k)
        roff += roffItem(roffBold(std::to_string(kExitStatusTable[k].status)), kExitStatusTable[k].meaning);
    return roff;
}

std::string scenes() {
    std::string roff;
    for (std::size_t k = 0; k < kTourSceneCount; ++k) {
        const TourScene& scene = kTourScenes[k];
        roff += roffItem(roffBold(scene.name) + " (" + std::to_string(scene.frames) + " frames)", scene.description);
    }
    return roff;
}

struct Part {
    const char* placeholder;
    std::string (*roff)();
};

const Part kParts[] = {
    {"@OPTIONS@", options}, {"@TOOLKIT_OPTIONS@", toolkitOptions}, {"@KEYS@", keys},
    {"@EXIT_STATUS@", exitStatuses}, {"@SCENES@", scenes},
};

void replaceAll(std::string& line, const std::string& token, const std::string& value) {
    for (std::size_t at = line.find(token); at != std::string::npos; at = line.find(token, at + value.size()))
        line.replace(at, token.size(), value);
}

// Adds the template's line to the page, a placeholder's part in its place;
// false for a placeholder of no part.
bool addLine(std::string line, const std::string& date, std::string& page) {
    for (const Part& part : kParts)
        if (line == part.placeholder) {
            page += part.roff();
            return true;
        }
    if (line.size() > 2 && line.front() == '@' && line.back() == '@') return false;
    replaceAll(line, "@VERSION@", ZEN_VERSION);
    replaceAll(line, "@DATE@", date);
    page += line + "\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: zen_manual_writer <template> <page> <date>" << std::endl;
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "[ERROR] Could not read " << argv[1] << std::endl;
        return 1;
    }
    std::string line, page, problem;
    for (int number = 1; std::getline(in, line); ++number)
        if (!addLine(line, argv[3], page)) {
            std::cerr << "[ERROR] " << argv[1] << ":" << number << ": unknown placeholder " << line << std::endl;
            return 1;
        }
    if (writeOutputFile(argv[2], page.data(), page.size(), problem)) return 0;
    std::cerr << "[ERROR] Could not write " << argv[2] << ": " << problem << std::endl;
    return 1;
}
