#include <climits>
#include <cstdio>
#include <cstring>

#include "spline/Spline.h"

namespace {

enum class LoaderState { Outside, Header, Points };

// A number read as a double, truncated toward zero and clamped to the int range.
int truncatedInt(double value) {
    if (value != value) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

bool contains(const char* line, const char* word) { return std::strstr(line, word) != nullptr; }

bool readOne(const char* line, const char* pattern, double& value) {
    return std::sscanf(line, pattern, &value) == 1;
}

bool readThree(const char* line, const char* pattern, Vector3& value) {
    double x = 0.0, y = 0.0, z = 0.0;
    if (std::sscanf(line, pattern, &x, &y, &z) != 3) return false;
    value = Vector3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    return true;
}

struct IntSetting {
    const char* pattern;
    int Spline::*field;
    bool isCount;  // sizes the arrays, so fixed once the points block has begun
};

const IntSetting kIntSettings[] = {
    {" control_count %lf", &Spline::controlCount, true},
    {" curve_subdivision %lf", &Spline::curveSubdivision, true},
    {" curve_type %lf", &Spline::curveType, false},
    {" display_control_mode %lf", &Spline::displayControlMode, false},
    {" display_curve_mode %lf", &Spline::displayCurveMode, false},
    {" display_curve_modulo %lf", &Spline::displayCurveModulo, false},
    {" display_orientation_mode %lf", &Spline::displayOrientationMode, false},
    {" display_orientation_modulo %lf", &Spline::displayOrientationModulo, false},
};

bool countsAcceptable(int controls, int subdivision) {
    return controls >= 0 && controls <= Spline::kMaxControlPoints && subdivision >= 0 &&
           subdivision <= Spline::kMaxCurveSubdivision &&
           static_cast<long long>(controls) * subdivision <= Spline::kMaxSamples;
}

// Allocates both arrays zero-filled; refused counts leave the spline empty.
void allocatePoints(Spline& spline) {
    spline.pointsRead = 0;
    if (!countsAcceptable(spline.controlCount, spline.curveSubdivision)) {
        spline.controlCount = 0;
        spline.sampleCount = 0;
        spline.controlPoints.clear();
        spline.samples.clear();
        return;
    }
    spline.controlPoints.assign(spline.controlCount, ControlPoint());
    spline.sampleCount = spline.curveSubdivision * spline.controlCount;
    spline.samples.assign(spline.sampleCount, CurveSample());
}

class SplineLoader {
public:
    explicit SplineLoader(Spline& target) : spline(target) {}

    void handle(const char* line) {
        switch (state) {
            case LoaderState::Outside:
                if (contains(line, "begin_spline")) state = LoaderState::Header;
                break;
            case LoaderState::Header: handleHeader(line); break;
            case LoaderState::Points: handlePoints(line); break;
        }
    }

private:
    Spline& spline;
    LoaderState state = LoaderState::Outside;
    bool pointsBlockBegun = false;

    void handleHeader(const char* line) {
        double value = 0.0;
        for (const IntSetting& setting : kIntSettings) {
            if (!readOne(line, setting.pattern, value)) continue;
            if (!(setting.isCount && pointsBlockBegun)) spline.*setting.field = truncatedInt(value);
            return;
        }
        if (readOne(line, " display_orientation_len %lf", value)) {
            spline.displayOrientationLen = static_cast<float>(value);
        } else if (contains(line, "begin_points")) {
            // A second block would wipe the points of the first: only the first counts.
            if (!pointsBlockBegun) allocatePoints(spline);
            pointsBlockBegun = true;
            state = LoaderState::Points;
        } else if (contains(line, "end_spline")) {
            state = LoaderState::Outside;
        }
    }

    // Every step runs on the same line; tags apply to the point before the last one read.
    void handlePoints(const char* line) {
        if (spline.pointsRead == spline.controlCount) state = LoaderState::Header;
        Vector3 position;
        if (readThree(line, " C: %lf %lf %lf", position) && spline.pointsRead < spline.controlCount &&
            spline.pointsRead < static_cast<int>(spline.controlPoints.size())) {
            spline.controlPoints[spline.pointsRead].position = position;
            ++spline.pointsRead;
        }
        if (contains(line, "P:") && spline.pointsRead >= 2) applyPathTag(line, taggedPoint());
        if (contains(line, "N:") && spline.pointsRead >= 2) {
            applyNormalTag(line, taggedPoint());
            return;
        }
        if (contains(line, "end_points")) state = LoaderState::Header;
    }

    ControlPoint& taggedPoint() { return spline.controlPoints[spline.pointsRead - 2]; }

    static void applyPathTag(const char* line, ControlPoint& point) {
        double value = 0.0;
        if (contains(line, "no_gravity")) {
            point.pathTag = 1;
        } else if (readOne(line, " P: break %lf", value)) {
            point.pathTag = 2;
            point.breakValue = static_cast<float>(value);
        }
    }

    static void applyNormalTag(const char* line, ControlPoint& point) {
        double value = 0.0;
        Vector3 normal;
        if (readThree(line, " N: %lf %lf %lf ", normal)) {
            point.normalTag = 2;
            point.normal = normal;
        } else if (readOne(line, " N: rotate %lf ", value)) {
            point.normalTag = 1;
            point.rotateAngle = static_cast<float>(value);
        }
    }
};

}  // namespace

void Spline::load(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return;
    SplineLoader loader(*this);
    char line[256];
    while (std::fgets(line, sizeof line, file)) loader.handle(line);
    std::fclose(file);
}
