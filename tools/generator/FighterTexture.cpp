#include <algorithm>
#include <cmath>

#include "Fighter.h"
#include "FighterAtlas.h"
#include "Noise.h"

namespace {

const int kSize = 1024;
const float kPi = 3.14159265358979f;

bool inside(const UvRect& r, float u, float v) { return u >= r.u0 && u < r.u1 && v >= r.v0 && v < r.v1; }

// Hull plating over a region of w x h texels split into columns x rows plates
// (every other row shifted by half a plate): grooves between plates, rivets
// beside them, a slight height step per plate.
struct Plating {
    float groove = 0.0f;  // 1 on a panel line
    float rivet = 0.0f;   // 1 on a rivet
    float plate = 0.0f;   // per-plate value in [0, 1)
};

Plating plating(float s, float t, float w, float h, int columns, int rows, std::uint32_t seed) {
    const float y = t * rows;
    const int row = static_cast<int>(std::floor(y));
    const float x = s * columns + ((row & 1) ? 0.5f : 0.0f);
    const int column = static_cast<int>(std::floor(x));
    const float fx = x - column, fy = y - row;
    const float toLineX = std::min(fx, 1.0f - fx) * w / columns;
    const float toLineY = std::min(fy, 1.0f - fy) * h / rows;
    const float toLine = std::min(toLineX, toLineY);
    Plating p;
    p.groove = 1.0f - smoothstep(0.6f, 1.8f, toLine);
    const float along = toLineX < toLineY ? fy * h / rows : fx * w / columns;
    const bool rivetRow = std::fabs(toLine - 4.0f) < 1.2f;
    p.rivet = rivetRow && std::fmod(along, 9.0f) < 1.6f ? 1.0f : 0.0f;
    p.plate = hashToUnit(hash3(column % columns, row, 0, seed));
    return p;
}

struct Surface {
    Color color;
    float height = 0.0f;
};

Surface hull(const Plating& p, const Color& paint, float grime) {
    Surface out;
    out.color = scaled(paint, 0.92f + 0.12f * p.plate + 0.05f * grime);
    out.color = mix(out.color, {0.16f, 0.17f, 0.19f}, p.groove * 0.85f);
    out.color = mix(out.color, {0.85f, 0.86f, 0.88f}, p.rivet * 0.6f);
    out.height = 0.12f * p.plate - p.groove + 0.45f * p.rivet;
    return out;
}

const Color kWhite{0.80f, 0.81f, 0.83f}, kGrey{0.36f, 0.38f, 0.42f}, kRed{0.72f, 0.12f, 0.08f};
const Color kYellow{0.90f, 0.70f, 0.12f}, kDark{0.10f, 0.11f, 0.13f};

// s around from the right side (0) over the top (0.25), t from the tail to the nose.
Surface fuselage(float s, float t, bool fine, float grime) {
    const Plating p = plating(s, t, 1024.0f, 512.0f, fine ? 32 : 16, fine ? 28 : 14, 901u);
    Color paint = (s > 0.62f && s < 0.88f) ? kGrey : kWhite;
    const float top = std::fabs(s - 0.25f);
    if (top > 0.015f && top < 0.03f && t < 0.8f) paint = kRed;       // spine stripes
    if (t > 0.80f && t < 0.835f) paint = kRed;                          // nose band
    if (t > 0.9f) paint = mix(paint, kDark, smoothstep(0.9f, 0.96f, t));  // sensor tip
    for (float sideCentre : {0.0f, 0.5f, 1.0f}) {                        // chevrons on both flanks
        const float ds = std::fabs(s - sideCentre);
        const float chevron = std::fmod(t * 18.0f + ds * 40.0f, 2.0f);
        if (ds < 0.06f && t > 0.12f && t < 0.34f && chevron < 0.6f) paint = kYellow;
    }
    return hull(p, paint, grime);
}

// Wing and fin sections: s round the section (both halves the same), t from root to tip.
Surface wingSurface(float s, float t, bool fine, float grime, bool roundel) {
    const float c = std::min(2.0f * s, 2.0f - 2.0f * s);  // chord position, 0 at the leading edge
    const Plating p = plating(c, t, 512.0f, 256.0f, fine ? 12 : 6, fine ? 10 : 5, 907u);
    Color paint = kWhite;
    if (c < 0.07f) paint = kGrey;  // leading-edge guard
    if (t > 0.86f && t < 0.92f) paint = kRed;
    if (roundel) {
        const float dc = (c - 0.45f) * 1.6f, dt = (t - 0.62f) * 1.0f;
        const float r = std::sqrt(dc * dc + dt * dt);
        if (r < 0.16f) paint = r < 0.06f ? kRed : (r < 0.11f ? kWhite : Color{0.12f, 0.22f, 0.55f});
    } else if (t > 0.55f && t < 0.75f && c > 0.3f && c < 0.7f) {
        paint = kRed;  // fin flash
    }
    return hull(p, paint, grime);
}

Surface canopy(float s, float t) {
    Surface out;
    const float frame = std::min(std::fabs(t - 0.45f), std::fabs(t - 0.7f));
    const float glint = std::pow(std::max(0.0f, std::sin(kPi * s * 2.0f)), 6.0f);
    out.color = mix({0.03f, 0.06f, 0.12f}, {0.25f, 0.45f, 0.65f}, 0.5f * glint + 0.2f * t);
    const bool bar = frame < 0.012f || std::fabs(s - 0.25f) < 0.006f;
    if (bar) out.color = kGrey;
    out.height = bar ? 0.6f : 0.0f;
    return out;
}

Surface pod(float s, float t, bool fine, float grime, int columns) {
    const Plating p = plating(s, t, 512.0f, 256.0f, fine ? columns * 2 : columns, fine ? 16 : 8, 911u);
    Color paint = kGrey;
    if (t > 0.9f) paint = kDark;
    if (t > 0.14f && t < 0.18f) paint = kYellow;
    return hull(p, paint, grime);
}

// Radial designs of the round caps: glowing nozzle, intake vanes, plain plate.
Surface exhaust(float s, float t) {
    const float r = std::hypot(s - 0.5f, t - 0.5f) * 2.0f;
    Surface out;
    const float glow = std::exp(-r * r * 4.0f);
    out.color = added(mix({0.08f, 0.08f, 0.09f}, {0.25f, 0.25f, 0.27f}, smoothstep(0.8f, 0.95f, r)),
                      {1.0f * glow, 0.55f * glow, 0.9f * glow * glow});
    out.height = -0.8f * (1.0f - smoothstep(0.75f, 0.85f, r)) + 0.4f * std::fabs(std::sin(r * 18.0f)) * (r < 0.75f);
    return out;
}

Surface intake(float s, float t) {
    const float r = std::hypot(s - 0.5f, t - 0.5f) * 2.0f;
    const float vane = std::fabs(std::sin(std::atan2(t - 0.5f, s - 0.5f) * 6.0f));
    Surface out;
    out.color = r > 0.85f ? kGrey : mix(kDark, {0.3f, 0.3f, 0.32f}, vane > 0.9f ? 1.0f : 0.0f);
    out.height = r > 0.85f ? 0.0f : (vane > 0.9f ? -0.2f : -0.8f);
    return out;
}

Surface fighterTexel(float u, float v, bool fine) {
    using namespace fighter_atlas;
    const float grime = fractalNoise(Vector3(u * 40.0f, v * 40.0f, 0.0f), 4, 921u);
    auto local = [&](const UvRect& r, float& s, float& t) {
        s = (u - r.u0) / (r.u1 - r.u0);
        t = (v - r.v0) / (r.v1 - r.v0);
    };
    float s = 0.0f, t = 0.0f;
    if (inside(kFuselage, u, v)) return local(kFuselage, s, t), fuselage(s, t, fine, grime);
    if (inside(kWing, u, v)) return local(kWing, s, t), wingSurface(s, t, fine, grime, true);
    if (inside(kFin, u, v)) return local(kFin, s, t), wingSurface(s, t, fine, grime, false);
    if (inside(kCanopy, u, v)) return local(kCanopy, s, t), canopy(s, t);
    if (inside(kNacelle, u, v)) return local(kNacelle, s, t), pod(s, t, fine, grime, 8);
    if (inside(kCannon, u, v)) return local(kCannon, s, t), pod(s, t, fine, grime, 4);
    if (inside(kExhaust, u, v)) return local(kExhaust, s, t), exhaust(s, t);
    if (inside(kIntake, u, v)) return local(kIntake, s, t), intake(s, t);
    local(kPlate, s, t);
    return hull(plating(s, t, 256.0f, 128.0f, fine ? 8 : 4, fine ? 4 : 2, 931u), kGrey, grime);
}

}  // namespace

void writeFighterTextures(AssetWriter& out) {
    RgbImage decal(kSize, kSize);
    HeightMap heights(kSize, kSize);
    shadeTexels(decal, heights, [](int x, int y, Color& color, float& height) {
        const Surface surface = fighterTexel((x + 0.5f) / kSize, (y + 0.5f) / kSize, false);
        color = surface.color;
        height = surface.height;
    });
    out.tga("models/spaceFighter/spaceFighter.tga", decal);
    out.tga("models/spaceFighter/spaceFighter_NRM.tga", normalMapFromHeights(heights, 1.2f, false));

    RgbImage unused(kSize, kSize);
    HeightMap fineHeights(kSize, kSize);
    shadeTexels(unused, fineHeights, [](int x, int y, Color& color, float& height) {
        const Surface surface = fighterTexel((x + 0.5f) / kSize, (y + 0.5f) / kSize, true);
        color = surface.color;
        height = surface.height * 0.7f;
    });
    out.tga("models/spaceFighter/spaceFighter_NRM1.tga", normalMapFromHeights(fineHeights, 1.2f, false));
}
