#include "AsteroidAssets.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Noise.h"
#include "Sphere.h"

namespace {

const int kTextureSize = 512;

struct Crater {
    Vector3 centre;
    float radius;  // angular, radians
    float depth;
};

std::vector<Crater> craters() {
    Random random(4242u);
    std::vector<Crater> list;
    for (int k = 0; k < 9; ++k) list.push_back({random.direction(), random.uniform(0.18f, 0.5f), random.uniform(0.05f, 0.11f)});
    return list;
}

// Bowl with a raised rim, as a function of the distance from the centre in crater radii.
float craterProfile(float d) {
    const float rim = 0.35f;
    if (d < 1.0f) return (d * d - 1.0f) + rim;
    return rim * std::exp(-(d - 1.0f) * (d - 1.0f) / 0.12f);
}

float craterRelief(const Vector3& d, const std::vector<Crater>& list) {
    float relief = 0.0f;
    for (const Crater& c : list) {
        const float angle = std::acos(std::min(1.0f, std::max(-1.0f, dot(d, c.centre))));
        if (angle < c.radius * 2.5f) relief += c.depth * craterProfile(angle / c.radius);
    }
    return relief;
}

float rockRadius(const Vector3& d, const std::vector<Crater>& list) {
    const float lumps = 0.22f * fractalNoise(d * 1.2f, 3, 501u) + 0.07f * fractalNoise(d * 3.5f, 3, 503u);
    return std::max(0.5f, 1.0f + lumps + craterRelief(d, list));
}

Vector3 potatoShape(const Vector3& p) { return {p.x * 1.2f, p.y * 0.85f, p.z * 0.95f}; }

struct RockStyle {
    Color dark, light, accent;
    std::uint32_t seed;
    float speckle;
};

const RockStyle kStyles[3] = {
    {{0.20f, 0.19f, 0.18f}, {0.52f, 0.50f, 0.47f}, {0.70f, 0.68f, 0.64f}, 601u, 0.15f},  // grey basalt
    {{0.22f, 0.13f, 0.08f}, {0.58f, 0.40f, 0.26f}, {0.75f, 0.55f, 0.35f}, 611u, 0.05f},  // rusty iron
    {{0.10f, 0.11f, 0.14f}, {0.32f, 0.34f, 0.40f}, {0.85f, 0.88f, 0.95f}, 621u, 0.35f},  // dark, icy specks
};

void writeRockTexture(AssetWriter& out, int variant, const std::vector<Crater>& list) {
    const RockStyle& style = kStyles[variant];
    RgbImage decal(kTextureSize, kTextureSize);
    HeightMap heights(kTextureSize, kTextureSize);
    shadeTexels(decal, heights, [&](int x, int y, Color& color, float& height) {
        const Vector3 d = sphereDirection((x + 0.5f) / kTextureSize, (y + 0.5f) / kTextureSize);
        const float grain = fractalNoise(d * 9.0f, 5, style.seed);
        const float cracks = ridgedNoise(d * 5.0f, 3, style.seed + 7u);
        const float crater = craterRelief(d, list);
        const float speck = hashToUnit(hash3(x, y, variant, style.seed)) > 1.0f - 0.02f * style.speckle ? 1.0f : 0.0f;
        Color c = mix(style.dark, style.light, std::min(1.0f, std::max(0.0f, 0.5f + 0.6f * grain)));
        c = mix(c, style.dark, std::max(0.0f, cracks - 0.75f) * 3.0f);
        c = scaled(c, 1.0f + 2.5f * crater);
        color = mix(c, style.accent, speck);
        height = 0.6f * grain - std::max(0.0f, cracks - 0.7f) * 2.0f + crater * 6.0f;
    });
    const auto poleStretch = [](int y) {
        const float latitude = 3.14159265f * ((y + 0.5f) / kTextureSize - 0.5f);
        return 0.5f / std::max(0.15f, std::cos(latitude));
    };
    const std::string name = "models/asteroid/Tex" + std::to_string(variant);
    out.tga(name + ".tga", decal);
    out.tga(name + "_NRM.tga", normalMapFromHeights(heights, 6.0f, true, poleStretch));
}

}  // namespace

void writeAsteroid(AssetWriter& out) {
    const std::vector<Crater> list = craters();
    out.mesh("models/asteroid/asteroid.3ds",
             radialSphere(64, 32, [&](const Vector3& d) { return rockRadius(d, list); }, potatoShape));
    for (int variant = 0; variant < 3; ++variant) writeRockTexture(out, variant, list);
}
