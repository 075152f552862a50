#pragma once

#include <fstream>
#include <string>

// Writes a program source into the tests' scratch directory and returns its path.
inline std::string writeGlslFile(const std::string& name, const std::string& source) {
    const std::string path = std::string(ZEN_TEST_TMP_DIR) + "/" + name;
    std::ofstream(path) << source;
    return path;
}
