#pragma once

#include <fstream>
#include <string>

#include "support/Scratch.h"

// Writes a program source into the tests' scratch directory and returns its path.
inline std::string writeGlslFile(const std::string& name, const std::string& source) {
    const std::string path = scratchPath(name);
    std::ofstream(path) << source;
    return path;
}
