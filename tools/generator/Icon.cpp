#include "Icon.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "Planet.h"

namespace {

const float kDiscRadius = 0.42f;  // of the icon's size
const float kHaloWidth = 0.08f;   // of the disc's radius
const Color kAtmosphere{0.35f, 0.62f, 1.0f};
const int kEdgeSubsamples = 4;  // per axis, for pixels on the disc's rim and in its halo

struct Sample {
    Color color;
    float alpha = 0.0f;
};

Vector3 lightDirection() {
    Vector3 light(-0.55f, 0.6f, 0.58f);
    return normalize(light);
}

// The planet turned so that a coast faces the viewer and the north pole leans back.
Vector3 planetDirection(const Vector3& view) {
    const float spin = 2.2f, tilt = 0.35f;
    const Vector3 tilted(view.x, view.y * std::cos(tilt) - view.z * std::sin(tilt),
                         view.y * std::sin(tilt) + view.z * std::cos(tilt));
    return {tilted.x * std::cos(spin) + tilted.z * std::sin(spin), tilted.y,
            -tilted.x * std::sin(spin) + tilted.z * std::cos(spin)};
}

// (x, y) in disc radii from the centre, +y up.
Sample shade(float x, float y) {
    const float r2 = x * x + y * y;
    const Vector3 light = lightDirection();
    if (r2 >= 1.0f) {
        const float halo = 1.0f - smoothstep(1.0f, 1.0f + kHaloWidth, std::sqrt(r2));
        const float litSide = 0.4f + 0.6f * std::max(0.0f, (x * light.x + y * light.y) / std::sqrt(r2));
        return {kAtmosphere, halo * halo * litSide};
    }
    const Vector3 normal(x, y, std::sqrt(1.0f - r2));
    const float diffuse = std::max(0.0f, dot(normal, light));
    const Color surface = scaled(planetSurfaceColor(planetDirection(normal)), 0.07f + 0.93f * diffuse);
    const float rim = std::pow(1.0f - normal.z, 3.0f);
    return {mix(surface, kAtmosphere, rim * (0.3f + 0.7f * diffuse)), 1.0f};
}

// Average of n x n samples over the pixel, colours weighted by their opacity.
Sample shadePixel(int px, int py, int size, int n) {
    const float centre = 0.5f * size, radius = kDiscRadius * size;
    Color sum;
    float alpha = 0.0f;
    for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
            const Sample s = shade((px + (sx + 0.5f) / n - centre) / radius, (centre - py - (sy + 0.5f) / n) / radius);
            sum = added(sum, scaled(s.color, s.alpha));
            alpha += s.alpha;
        }
    if (alpha <= 0.0f) return {};
    return {scaled(sum, 1.0f / alpha), alpha / static_cast<float>(n * n)};
}

}  // namespace

RgbaImage planetIcon(int size) {
    RgbaImage icon(size, size);
    const float centre = 0.5f * size, radius = kDiscRadius * size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float distance = std::hypot(x + 0.5f - centre, y + 0.5f - centre) / radius;
            const bool inside = distance < 1.0f - 1.5f / radius;
            const Sample pixel = shadePixel(x, y, size, inside ? 1 : kEdgeSubsamples);
            icon.rgb.set(x, y, pixel.color);
            icon.alpha[static_cast<size_t>(y) * size + x] = pixel.alpha;
        }
    return icon;
}
