#include <algorithm>
#include <cmath>

#include "spline/Spline.h"

namespace {

// Unit vector, or zero when the length is not positive.
Vector3 normalized(const Vector3& v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (!(len > 0.0f)) return Vector3(0.0f, 0.0f, 0.0f);
    const float inverse = 1.0f / len;
    return v * inverse;
}

struct Segment {
    Vector3 p0, p1, p2, p3;
};

void bSpline(const Segment& s, float t, Vector3& position, Vector3& derivative) {
    const float u = 1.0f - t;
    const float t2 = t * t;
    const float t3 = t2 * t;
    position = (u * u * u * s.p0 + (3 * t3 - 6 * t2 + 4) * s.p1 + (-3 * t3 + 3 * t2 + 3 * t + 1) * s.p2 +
                t3 * s.p3) / 6.0f;
    derivative = 0.5f * (-(u * u) * s.p0 + (3 * t2 - 4 * t) * s.p1 + (-3 * t2 + 2 * t + 1) * s.p2 + t2 * s.p3);
}

void catmullRom(const Segment& s, float t, Vector3& position, Vector3& derivative) {
    const float t2 = t * t;
    const float t3 = t2 * t;
    position = 0.5f * ((-t3 + 2 * t2 - t) * s.p0 + (3 * t3 - 5 * t2 + 2) * s.p1 +
                       (-3 * t3 + 4 * t2 + t) * s.p2 + (t3 - t2) * s.p3);
    derivative = 0.5f * ((-3 * t2 + 4 * t - 1) * s.p0 + (9 * t2 - 10 * t) * s.p1 +
                         (-9 * t2 + 8 * t + 1) * s.p2 + (3 * t2 - 2 * t) * s.p3);
}

bool isZero(const Vector3& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

// The frame of a later sample follows the bend between the two tangents; its arc
// length adds the chord from the previous sample.
void continueFrameAndArcLength(const CurveSample& previous, CurveSample& sample) {
    Vector3 b = normalized(cross(previous.tangent, sample.tangent));
    if (isZero(b)) b = previous.binormal;
    if (dot(previous.binormal, b) < 0.0f) b = -b;
    sample.binormal = b;
    sample.normal = normalized(cross(sample.tangent, b));
    const float next = previous.arcLength + length(sample.position - previous.position);
    // Overflowing coordinates must not make the arc length fall or become NaN.
    sample.arcLength = next >= previous.arcLength ? next : previous.arcLength;
}

}  // namespace

void Spline::computeCurve() {
    const int points = std::min(controlCount, static_cast<int>(controlPoints.size()));
    sampleCount = 0;
    if (points < 4 || curveSubdivision < 1) return;
    const long long wanted = static_cast<long long>(points - 3) * curveSubdivision;
    const int count = static_cast<int>(std::min<long long>(wanted, static_cast<long long>(samples.size())));
    for (int k = 0; k < count; ++k) {
        const int i = k / curveSubdivision;
        const float t = static_cast<float>(k % curveSubdivision) / static_cast<float>(curveSubdivision);
        const Segment segment{controlPoints[i].position, controlPoints[i + 1].position,
                              controlPoints[i + 2].position, controlPoints[i + 3].position};
        CurveSample& sample = samples[k];
        Vector3 derivative;
        if (curveType == 0) bSpline(segment, t, sample.position, derivative);
        else catmullRom(segment, t, sample.position, derivative);
        sample.tangent = normalized(derivative);
        if (k == 0) {
            sample.normal = initialUp;
            sample.binormal = cross(sample.normal, sample.tangent);
            sample.arcLength = 0.0f;
        } else {
            continueFrameAndArcLength(samples[k - 1], sample);
        }
    }
    sampleCount = count;
}

int Spline::findSample(float distance) const {
    if (!(distance >= 0.0f)) return -1;
    const int count = std::min(sampleCount, static_cast<int>(samples.size()));
    if (count <= 0) return -1;
    // arcLength never decreases, so the first sample at or beyond the distance is a lower bound.
    const auto begin = samples.begin();
    const auto found = std::lower_bound(begin, begin + count, distance,
                                        [](const CurveSample& s, float d) { return s.arcLength < d; });
    if (found == begin + count) return -1;
    return static_cast<int>(found - begin);
}
