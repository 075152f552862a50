#pragma once

#include <string>
#include <vector>

#include "math/Vector3.h"
#include "scene/Object.h"
#include "spline/ControlPoint.h"
#include "spline/CurveSample.h"

// A flight path: the control points of a spline description file and the
// curve sampled from them, with a debug display of points, curve and frames.
class Spline : public Object {
public:
    // Counts beyond these are refused at "begin_points" and leave the spline empty.
    static constexpr int kMaxControlPoints = 100000;
    static constexpr int kMaxCurveSubdivision = 10000;
    static constexpr long long kMaxSamples = 1 << 20;

    std::vector<ControlPoint> controlPoints;
    int controlCount = 0;
    int pointsRead = 0;
    Vector3 initialUp{0.0f, 1.0f, 0.0f};
    std::vector<CurveSample> samples;
    int curveSubdivision = 0;
    int sampleCount = 0;  // capacity after "begin_points", samples in use after computeCurve
    int curveType = 0;    // 0 uniform cubic B-spline, otherwise Catmull-Rom
    int displayControlMode = 0;
    int displayCurveMode = 0;
    int displayCurveModulo = 0;
    int displayOrientationMode = 0;
    int displayOrientationModulo = 0;
    float displayOrientationLen = 0.0f;
    ColorBytes controlColor{255, 0, 0, 255};
    ColorBytes curveColor{0, 255, 0, 255};
    ColorBytes tangentColor{128, 0, 255, 255};
    ColorBytes normalColor{255, 0, 255, 255};
    ColorBytes binormalColor{0, 255, 0, 255};

    // Loads the file and samples the curve. A file that is missing, unreadable,
    // not a regular file or larger than kSplineFileLimit gives a spline without
    // points or samples.
    explicit Spline(const std::string& path);
    ~Spline() override = default;

    // Reads a spline description file; silent, ignores what it does not understand.
    void load(const std::string& path);
    // Fills `samples` from the control points and sets sampleCount.
    void computeCurve();
    // Index of the first sample whose arcLength is at least `distance`;
    // -1 when the distance is negative, not a number or past the end.
    int findSample(float distance) const;
    // Debug display in the control points' coordinates, as the display modes say.
    void draw() override;
};
