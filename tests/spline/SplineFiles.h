#pragma once

#include <fstream>
#include <string>

#include "support/Scratch.h"

// Writes a spline description file into the scratch folder and returns its path.
inline std::string writeSplineFile(const std::string& name, const std::string& text) {
    const std::string path = scratchPath("splines/" + name);
    std::ofstream(path) << text;
    return path;
}

// A complete file around the given header settings and point lines.
inline std::string splineText(const std::string& header, const std::string& points) {
    return "begin_spline\n" + header + "begin_points\n" + points + "end_points\nend_spline\n";
}
