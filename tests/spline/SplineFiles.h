#pragma once

#include <string>

// A complete spline description file around the given header settings and point lines.
inline std::string splineText(const std::string& header, const std::string& points) {
    return "begin_spline\n" + header + "begin_points\n" + points + "end_points\nend_spline\n";
}
