#include "support/KeptInputs.h"

#include <algorithm>

std::vector<std::filesystem::path> keptInputs(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(ZEN_SOURCE_DIR "/tests/" + folder + "/fuzz-regressions"))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}
