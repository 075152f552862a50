#include "SkyFaces.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Noise.h"

namespace {

const int kFaceSize = 1024;
const int kNebulaStep = 4;
const char* const kFaceNames[6] = {"posx", "negx", "posy", "negy", "posz", "negz"};

// Face axes: direction = major + sc * sAxis + tc * tAxis, as GL selects them.
struct FaceAxes {
    Vector3 major, sAxis, tAxis;
};
const FaceAxes kFaces[6] = {
    {{1, 0, 0}, {0, 0, -1}, {0, -1, 0}},  {{-1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
    {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},    {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    {{0, 0, 1}, {1, 0, 0}, {0, -1, 0}},   {{0, 0, -1}, {-1, 0, 0}, {0, -1, 0}},
};

// Nebula clouds and a faint band of the galaxy, as one smooth function of direction.
Color nebula(const Vector3& d) {
    const Vector3 warp(fractalNoise(d * 1.7f, 3, 801u), fractalNoise(d * 1.7f + Vector3(3.1f, 7.7f, 1.9f), 3, 802u), 0.0f);
    const Vector3 p = d * 2.2f + warp * 0.6f;
    const float cloud = smoothstep(-0.1f, 0.9f, fractalNoise(p, 5, 811u));
    const float tint = 0.5f + 0.5f * fractalNoise(d * 1.1f + Vector3(11.0f, 0.0f, 0.0f), 2, 821u);
    const float dust = smoothstep(0.2f, 0.8f, ridgedNoise(d * 3.0f, 3, 831u));
    const Color magenta{0.35f, 0.06f, 0.30f}, teal{0.04f, 0.20f, 0.32f}, amber{0.30f, 0.14f, 0.04f};
    Color c = scaled(mix(mix(magenta, teal, tint), amber, std::max(0.0f, tint - 0.7f) * 2.0f), 1.8f * cloud * cloud);
    c = scaled(c, 1.0f - 0.6f * dust * cloud);
    Vector3 galacticPole(0.3f, 0.9f, -0.3f);
    normalize(galacticPole);
    const float band = std::exp(-dot(d, galacticPole) * dot(d, galacticPole) / 0.02f);
    const float bandNoise = 0.5f + 0.5f * fractalNoise(d * 6.0f, 4, 841u);
    return added(c, scaled({0.16f, 0.15f, 0.19f}, band * bandNoise));
}

struct Star {
    Vector3 direction;
    Color color;
    float size;  // angular radius, radians
};

std::vector<Star> stars() {
    Random random(2024u);
    std::vector<Star> list;
    const Color tints[4] = {{1.0f, 0.95f, 0.9f}, {0.75f, 0.85f, 1.0f}, {1.0f, 0.8f, 0.6f}, {1.0f, 1.0f, 1.0f}};
    for (int k = 0; k < 9000; ++k) {
        const float magnitude = random.uniform(0.0f, 1.0f);
        const Color tint = tints[random.next() % 4];
        const float brightness = 0.25f + 1.6f * magnitude * magnitude * magnitude;
        list.push_back({random.direction(), scaled(tint, brightness), 0.0012f + 0.0022f * magnitude * magnitude});
    }
    return list;
}

// Texel coordinates (fractional) of a direction on a face, or false when it is not in front of it.
bool projectToFace(const FaceAxes& face, const Vector3& d, float& x, float& y) {
    const float m = dot(d, face.major);
    if (m <= 0.2f) return false;
    const float sc = dot(d, face.sAxis) / m, tc = dot(d, face.tAxis) / m;
    x = (sc + 1.0f) * 0.5f * kFaceSize - 0.5f;
    y = (tc + 1.0f) * 0.5f * kFaceSize - 0.5f;
    return true;
}

// Adds each star's glow to every texel near it on this face, by the true angle
// between the star and the texel's direction, so stars that straddle an edge
// light both faces alike.
void splatStars(int face, const std::vector<Star>& list, std::vector<Color>& light) {
    for (const Star& star : list) {
        float cx = 0.0f, cy = 0.0f;
        if (!projectToFace(kFaces[face], star.direction, cx, cy)) continue;
        const int reach = 6;
        const int x0 = std::max(0, static_cast<int>(cx) - reach), x1 = std::min(kFaceSize - 1, static_cast<int>(cx) + reach);
        const int y0 = std::max(0, static_cast<int>(cy) - reach), y1 = std::min(kFaceSize - 1, static_cast<int>(cy) + reach);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const Vector3 d = cubeFaceDirection(face, x, y, kFaceSize);
                const Vector3 offset = d - star.direction;
                const float angle2 = dot(offset, offset);
                const float glow = std::exp(-angle2 / (star.size * star.size));
                if (glow < 0.004f) continue;
                Color& c = light[static_cast<size_t>(y) * kFaceSize + x];
                c = added(c, scaled(star.color, glow));
            }
    }
}

}  // namespace

Vector3 cubeFaceDirection(int face, int x, int y, int size) {
    const float sc = 2.0f * (x + 0.5f) / size - 1.0f;
    const float tc = 2.0f * (y + 0.5f) / size - 1.0f;
    const FaceAxes& f = kFaces[face];
    Vector3 d = f.major + f.sAxis * sc + f.tAxis * tc;
    return normalize(d);
}

namespace {

// The nebulae change slowly: evaluate them on a coarse grid of each face and
// interpolate. Both faces at an edge clamp to samples a quarter-texel-grid
// from it, so they still agree there to well under a byte.
std::vector<Color> nebulaLayer(int face) {
    const int coarse = kFaceSize / kNebulaStep;
    std::vector<Color> grid(static_cast<size_t>(coarse) * coarse);
    for (int y = 0; y < coarse; ++y)
        for (int x = 0; x < coarse; ++x) grid[static_cast<size_t>(y) * coarse + x] = nebula(cubeFaceDirection(face, x, y, coarse));
    std::vector<Color> layer(static_cast<size_t>(kFaceSize) * kFaceSize);
    for (int y = 0; y < kFaceSize; ++y) {
        const float gy = std::min(coarse - 1.0f, std::max(0.0f, (y + 0.5f) / kNebulaStep - 0.5f));
        const int y0 = std::min(coarse - 2, static_cast<int>(gy));
        for (int x = 0; x < kFaceSize; ++x) {
            const float gx = std::min(coarse - 1.0f, std::max(0.0f, (x + 0.5f) / kNebulaStep - 0.5f));
            const int x0 = std::min(coarse - 2, static_cast<int>(gx));
            const float fx = gx - x0, fy = gy - y0;
            const Color& a = grid[static_cast<size_t>(y0) * coarse + x0];
            const Color& b = grid[static_cast<size_t>(y0) * coarse + x0 + 1];
            const Color& c = grid[static_cast<size_t>(y0 + 1) * coarse + x0];
            const Color& d = grid[static_cast<size_t>(y0 + 1) * coarse + x0 + 1];
            layer[static_cast<size_t>(y) * kFaceSize + x] = mix(mix(a, b, fx), mix(c, d, fx), fy);
        }
    }
    return layer;
}

}  // namespace

void writeSkyFaces(AssetWriter& out) {
    const std::vector<Star> list = stars();
    for (int face = 0; face < 6; ++face) {
        std::vector<Color> light = nebulaLayer(face);
        splatStars(face, list, light);
        RgbImage image(kFaceSize, kFaceSize);
        for (int y = 0; y < kFaceSize; ++y)
            for (int x = 0; x < kFaceSize; ++x) image.set(x, y, light[static_cast<size_t>(y) * kFaceSize + x]);
        out.png(std::string("textures/custom_space/") + kFaceNames[face] + ".png", image);
    }
}
