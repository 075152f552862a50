#include "Noise.h"

#include <algorithm>
#include <cmath>

std::uint32_t hash3(int x, int y, int z, std::uint32_t seed) {
    std::uint32_t h = seed * 0x27D4EB2Du;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h = (h << 11) | (h >> 21);
    h ^= static_cast<std::uint32_t>(z) * 0x165667B1u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashToUnit(std::uint32_t h) { return static_cast<float>(h >> 8) * (1.0f / 16777216.0f); }

namespace {

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

// Dot product of the offset with one of twelve edge-midpoint gradients of a cube.
float gradientDot(std::uint32_t h, float x, float y, float z) {
    switch (h % 12) {
        case 0: return x + y;
        case 1: return -x + y;
        case 2: return x - y;
        case 3: return -x - y;
        case 4: return x + z;
        case 5: return -x + z;
        case 6: return x - z;
        case 7: return -x - z;
        case 8: return y + z;
        case 9: return -y + z;
        case 10: return y - z;
        default: return -y - z;
    }
}

}  // namespace

float gradientNoise(const Vector3& p, std::uint32_t seed) {
    const float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    const float x = p.x - fx, y = p.y - fy, z = p.z - fz;
    const float u = fade(x), v = fade(y), w = fade(z);
    float corners[8];
    for (int c = 0; c < 8; ++c) {
        const int dx = c & 1, dy = (c >> 1) & 1, dz = (c >> 2) & 1;
        corners[c] = gradientDot(hash3(ix + dx, iy + dy, iz + dz, seed), x - dx, y - dy, z - dz);
    }
    const float x00 = lerp(corners[0], corners[1], u), x10 = lerp(corners[2], corners[3], u);
    const float x01 = lerp(corners[4], corners[5], u), x11 = lerp(corners[6], corners[7], u);
    return lerp(lerp(x00, x10, v), lerp(x01, x11, v), w);
}

float fractalNoise(const Vector3& p, int octaves, std::uint32_t seed) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f, frequency = 1.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * gradientNoise(p * frequency, seed + 977u * static_cast<std::uint32_t>(o));
        total += weight;
        weight *= 0.5f;
        frequency *= 2.03f;
    }
    return sum / total * 1.4f;
}

float ridgedNoise(const Vector3& p, int octaves, std::uint32_t seed) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f, frequency = 1.0f;
    for (int o = 0; o < octaves; ++o) {
        const float n = 1.0f - std::fabs(gradientNoise(p * frequency, seed + 131u * static_cast<std::uint32_t>(o)));
        sum += weight * n * n;
        total += weight;
        weight *= 0.5f;
        frequency *= 2.07f;
    }
    return sum / total;
}

std::uint32_t Random::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Random::uniform(float lo, float hi) { return lo + (hi - lo) * hashToUnit(next()); }

Vector3 Random::direction() {
    const float z = uniform(-1.0f, 1.0f);
    const float angle = uniform(0.0f, 6.2831853f);
    const float r = std::sqrt(std::fmax(0.0f, 1.0f - z * z));
    return {r * std::cos(angle), r * std::sin(angle), z};
}

float smoothstep(float a, float b, float x) {
    const float t = std::min(1.0f, std::max(0.0f, (x - a) / (b - a)));
    return t * t * (3.0f - 2.0f * t);
}
