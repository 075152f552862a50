#include "Planet.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "Sphere.h"

namespace {

const float kRadius = 3.5f;
const int kWidth = 1024;
const int kHeight = 512;
const float kSeaLevel = 0.02f;

// Terrain elevation: warped fractal continents with ridged mountain chains.
float elevation(const Vector3& d) {
    const Vector3 warp(fractalNoise(d * 1.3f, 3, 71u), fractalNoise(d * 1.3f + Vector3(5.2f, 1.3f, 2.8f), 3, 72u), 0.0f);
    const Vector3 p = d * 1.6f + warp * 0.45f;
    const float continents = fractalNoise(p, 6, 11u);
    const float mountains = ridgedNoise(d * 4.0f, 4, 23u);
    const float land = smoothstep(kSeaLevel, kSeaLevel + 0.25f, continents);
    return continents + land * 0.35f * mountains * mountains;
}

Color terrainColor(const Vector3& d, float e) {
    const float latitude = std::fabs(d.y);
    const float moisture = fractalNoise(d * 3.1f + Vector3(9.1f, 0.0f, 4.4f), 4, 37u);
    if (e < kSeaLevel) {
        const float depth = smoothstep(kSeaLevel, -0.5f, e);
        Color ocean = mix({0.10f, 0.38f, 0.55f}, {0.02f, 0.07f, 0.25f}, depth);
        if (latitude + 0.05f * moisture > 0.86f) ocean = mix(ocean, {0.85f, 0.90f, 0.95f}, 0.85f);
        return ocean;
    }
    const float height = e - kSeaLevel;
    const Color forest{0.16f, 0.36f, 0.12f}, grass{0.40f, 0.50f, 0.20f}, desert{0.76f, 0.62f, 0.38f};
    const Color rock{0.45f, 0.40f, 0.36f}, snow{0.93f, 0.94f, 0.96f};
    Color c = moisture > 0.0f ? mix(grass, forest, std::min(1.0f, moisture * 2.5f))
                              : mix(grass, desert, std::min(1.0f, -moisture * 3.0f + latitude * -0.5f + 0.4f));
    c = mix(c, {0.83f, 0.77f, 0.55f}, 1.0f - smoothstep(0.0f, 0.03f, height));  // beaches
    c = mix(c, rock, smoothstep(0.25f, 0.45f, height));
    c = mix(c, snow, smoothstep(0.50f, 0.62f, height + latitude * 0.3f));
    if (latitude + 0.05f * moisture > 0.82f) c = mix(c, snow, 0.9f);
    return c;
}

// Cloud cover, painted over the colour only.
float clouds(const Vector3& d) {
    const float n = fractalNoise(d * 2.6f + Vector3(fractalNoise(d * 2.0f, 2, 91u), 0.0f, 0.0f), 5, 53u);
    return smoothstep(0.15f, 0.55f, n) * 0.75f;
}

Vector3 texelDirection(int x, int y) {
    return sphereDirection((x + 0.5f) / kWidth, (y + 0.5f) / kHeight);
}

}  // namespace

Color planetSurfaceColor(const Vector3& direction) {
    return mix(terrainColor(direction, elevation(direction)), {1.0f, 1.0f, 1.0f}, clouds(direction));
}

void writePlanet(AssetWriter& out) {
    out.mesh("models/planet/planet.3ds", radialSphere(96, 48, [](const Vector3&) { return kRadius; }));

    RgbImage decal(kWidth, kHeight);
    HeightMap heights(kWidth, kHeight);
    shadeTexels(decal, heights, [](int x, int y, Color& color, float& height) {
        const Vector3 d = texelDirection(x, y);
        const float e = elevation(d);
        color = mix(terrainColor(d, e), {1.0f, 1.0f, 1.0f}, clouds(d));
        height = std::max(e, kSeaLevel);
    });
    out.tga("models/planet/Tex2.tga", decal);
    // A texel spans less ground toward the poles: steepen the u slopes there.
    const auto poleStretch = [](int y) {
        const float latitude = 3.14159265f * ((y + 0.5f) / kHeight - 0.5f);
        return 1.0f / std::max(0.15f, std::cos(latitude));
    };
    out.tga("models/planet/Tex2_NRM.tga", normalMapFromHeights(heights, 60.0f, true, poleStretch));
}
