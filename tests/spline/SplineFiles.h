#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// Writes a spline description file into the test scratch folder and returns its path.
inline std::string writeSplineFile(const std::string& name, const std::string& text) {
    const std::filesystem::path folder = std::filesystem::path(ZEN_TEST_TMP_DIR) / "splines";
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / name;
    std::ofstream(path) << text;
    return path.string();
}

// A complete file around the given header settings and point lines.
inline std::string splineText(const std::string& header, const std::string& points) {
    return "begin_spline\n" + header + "begin_points\n" + points + "end_points\nend_spline\n";
}
