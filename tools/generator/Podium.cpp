#include "Podium.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "MeshBuilder.h"
#include "Noise.h"

namespace {

const int kSides = 16;
const int kTextureSize = 1024;
const float kPi = 3.14159265358979f;

// The outline from the base's rim up to the pad's rim, as (radius, height).
struct ProfilePoint {
    float radius, height;
};
const std::vector<ProfilePoint> kProfile = {
    {13.0f, -34.0f}, {13.0f, -32.0f}, {10.0f, -32.0f}, {10.0f, -30.0f}, {6.0f, -27.0f}, {6.0f, -9.0f},
    {9.0f, -7.0f},   {12.0f, -7.0f},  {12.0f, -5.0f},  {14.5f, -5.0f},  {14.5f, -3.0f}, {17.0f, -3.0f},
    {17.0f, -0.8f},  {16.2f, 0.0f},
};

// Atlas: the sides fill the lower half; the underside and the pad share the upper half.
const UvRect kSideRect{0.0f, 0.0f, 1.0f, 0.5f};
const UvRect kBaseRect{0.0f, 0.5f, 0.5f, 1.0f};
const UvRect kPadRect{0.5f, 0.5f, 1.0f, 1.0f};

std::vector<float> profileParameters() {
    std::vector<float> t{0.0f};
    for (size_t k = 1; k < kProfile.size(); ++k)
        t.push_back(t.back() + std::hypot(kProfile[k].radius - kProfile[k - 1].radius,
                                          kProfile[k].height - kProfile[k - 1].height));
    for (float& value : t) value /= t.back();
    return t;
}

Vector3 latheVertex(int side, int k) {
    const float angle = 2.0f * kPi * static_cast<float>(side % kSides) / kSides;
    return {kProfile[k].radius * std::sin(angle), kProfile[k].height, kProfile[k].radius * std::cos(angle)};
}

ThreeDsMesh podiumMesh() {
    const std::vector<float> t = profileParameters();
    GridSurface sides;
    sides.columns = kSides;
    sides.rows = static_cast<int>(kProfile.size()) - 1;
    sides.position = latheVertex;
    sides.uv = [&](int i, int j, float& u, float& v) {
        u = kSideRect.u(static_cast<float>(i) / kSides);
        v = kSideRect.v(t[j]);
    };
    // Every facet is flat: neighbours around and along the outline get disjoint groups.
    sides.smoothingGroups = [](int i, int j) { return 1u << ((i % 2) * 16 + j % 15); };

    MeshBuilder builder;
    addGridSurface(builder, sides);
    addCap(builder, gridRow(sides, 0), {0.0f, -1.0f, 0.0f}, kBaseRect, 1u << 15);
    addCap(builder, gridRow(sides, sides.rows), {0.0f, 1.0f, 0.0f}, kPadRect, 1u << 31);
    return builder.mesh;
}

// Distance in texels to the nearest multiple of the spacing.
float lineDistance(float value, float spacing) {
    const float m = std::fmod(value, spacing);
    return std::min(m, spacing - m);
}

// Plates with bolts and grooves on the side band; s, t local to the band.
void shadeSide(float s, float t, const std::vector<float>& rings, Color& color, float& height) {
    const float x = s * kTextureSize, y = t * kTextureSize * 0.5f;
    float groove = lineDistance(x, kTextureSize / static_cast<float>(kSides));
    for (float r : rings) groove = std::min(groove, std::fabs(y - r * kTextureSize * 0.5f));
    const float seamLine = 1.0f - smoothstep(1.0f, 3.0f, groove);
    const float boltRow = std::fabs(groove - 7.0f);
    const float bolt = (boltRow < 2.0f && lineDistance(x + y, 24.0f) < 2.0f) ? 1.0f : 0.0f;
    const Vector3 p(x / 64.0f, y / 64.0f, 0.0f);
    const float grime = fractalNoise(p, 5, 301u);
    const float brushed = gradientNoise(Vector3(x / 2.0f, y / 90.0f, 0.5f), 303u);
    Color metal = mix({0.42f, 0.44f, 0.47f}, {0.58f, 0.60f, 0.62f}, 0.5f + 0.5f * grime);
    metal = added(metal, scaled({1, 1, 1}, 0.03f * brushed));
    const float band = (t > 0.86f && t < 0.93f) ? 1.0f : 0.0f;  // hazard band under the pad's rim
    if (band > 0.0f) metal = (lineDistance(x + y * 2.0f, 48.0f) < 12.0f) ? Color{0.85f, 0.65f, 0.08f} : Color{0.1f, 0.1f, 0.1f};
    color = mix(metal, {0.12f, 0.12f, 0.13f}, seamLine);
    color = mix(color, {0.7f, 0.72f, 0.74f}, bolt);
    height = -seamLine * 1.0f + bolt * 0.8f + 0.08f * grime;
}

// The landing pad seen from above: panel grid, rings, hazard rim and a centre mark.
void shadePad(float s, float t, bool landingMarks, Color& color, float& height) {
    const float x = (s - 0.5f) * 2.0f, y = (t - 0.5f) * 2.0f;  // [-1, 1], 1 = the rim's extent
    const float r = std::sqrt(x * x + y * y);
    const float texel = 2.0f / (kTextureSize * 0.5f);
    const float panel = std::min(lineDistance(x + 1.0f, 0.25f), lineDistance(y + 1.0f, 0.25f)) / texel;
    const float seamLine = 1.0f - smoothstep(1.0f, 2.5f, panel);
    const float grime = fractalNoise(Vector3(x * 6.0f, y * 6.0f, 3.0f), 5, 307u);
    Color c = mix({0.30f, 0.32f, 0.35f}, {0.44f, 0.46f, 0.49f}, 0.5f + 0.5f * grime);
    float h = 0.08f * grime;
    if (landingMarks) {
        const float angle = std::atan2(y, x);
        if (r > 0.86f && r < 0.95f)
            c = (std::fmod(angle / kPi * 16.0f + 32.0f, 2.0f) < 1.0f) ? Color{0.9f, 0.7f, 0.1f} : Color{0.08f, 0.08f, 0.08f};
        const float ring = std::min(std::fabs(r - 0.62f), std::fabs(r - 0.30f)) / texel;
        if (ring < 3.0f) c = {0.85f, 0.85f, 0.8f};
        const bool bar = (std::fabs(x) < 0.04f || std::fabs(y) < 0.04f) && r < 0.2f;
        if (bar) c = {0.9f, 0.25f, 0.1f};
        const float markHeight = (ring < 3.0f || bar) ? 0.3f : 0.0f;
        h += markHeight;
    }
    color = mix(c, {0.1f, 0.1f, 0.11f}, seamLine);
    height = h - seamLine;
}

}  // namespace

void writePodium(AssetWriter& out) {
    out.mesh("models/podium/podium.3ds", podiumMesh());

    const std::vector<float> rings = profileParameters();
    RgbImage decal(kTextureSize, kTextureSize);
    HeightMap heights(kTextureSize, kTextureSize);
    shadeTexels(decal, heights, [&](int x, int y, Color& color, float& height) {
        const float u = (x + 0.5f) / kTextureSize, v = (y + 0.5f) / kTextureSize;
        if (v < 0.5f)
            shadeSide(u, v * 2.0f, rings, color, height);
        else if (u < 0.5f)
            shadePad(u * 2.0f, v * 2.0f - 1.0f, false, color, height);
        else
            shadePad(u * 2.0f - 1.0f, v * 2.0f - 1.0f, true, color, height);
    });
    out.tga("models/podium/podium_spec.tga", decal);
    out.tga("models/podium/podium_NRM.tga", normalMapFromHeights(heights, 1.5f, true));
}
