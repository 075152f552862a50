#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

// Writes a spline description file into this process's scratch folder and returns
// its path: tests of one fixture run side by side and share the file names.
inline std::string writeSplineFile(const std::string& name, const std::string& text) {
    const std::filesystem::path folder =
        std::filesystem::path(ZEN_TEST_TMP_DIR) / ("splines-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / name;
    std::ofstream(path) << text;
    return path.string();
}

// A complete file around the given header settings and point lines.
inline std::string splineText(const std::string& header, const std::string& points) {
    return "begin_spline\n" + header + "begin_points\n" + points + "end_points\nend_spline\n";
}
