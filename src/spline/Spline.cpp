#include "spline/Spline.h"

Spline::Spline(const std::string& path) {
    load(path);
    computeCurve();
}
