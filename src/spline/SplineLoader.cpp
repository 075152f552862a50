#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "platform/os/ResourceFile.h"
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

// A pattern " keyword ..." reads only a line whose first word starts with the
// keyword. Testing that first spares most lines several sscanf calls, which
// would otherwise make a file of many short lines slow to read.
bool mayMatch(const char* line, const char* pattern) {
    const char* keyword = pattern + 1;
    const char* word = line + std::strspn(line, " \t\n\v\f\r");
    return std::strncmp(word, keyword, std::strcspn(keyword, " ")) == 0;
}

bool readOne(const char* line, const char* pattern, double& value) {
    return mayMatch(line, pattern) && std::sscanf(line, pattern, &value) == 1;
}

bool readThree(const char* line, const char* pattern, Vector3& value) {
    double x = 0.0, y = 0.0, z = 0.0;
    if (!mayMatch(line, pattern) || std::sscanf(line, pattern, &x, &y, &z) != 3) return false;
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

// The file is handed to the loader as fgets would read it into 256 characters:
// pieces that end after a line break or at 255 characters, whichever comes first.
void Spline::load(const std::string& path) {
    std::string text;
    if (readResource(path, kSplineFileLimit, text) != ResourceError::None) return;
    SplineLoader loader(*this);
    char line[256];
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lineBreak = text.find('\n', start);
        const std::size_t lineEnd = lineBreak == std::string::npos ? text.size() : lineBreak + 1;
        const std::size_t end = std::min(lineEnd, start + 255);
        const std::size_t length = end - start;
        text.copy(line, length, start);
        line[length] = '\0';
        loader.handle(line);
        start = end;
    }
}
