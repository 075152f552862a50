#pragma once

#include <cstdint>

#include "math/Vector3.h"

// Deterministic hash and gradient noise for the generated textures and meshes.
// Every value depends only on its arguments and the seed.

// A well-mixed 32-bit hash of three integers and a seed.
std::uint32_t hash3(int x, int y, int z, std::uint32_t seed);

// Uniform in [0, 1) from a hash.
float hashToUnit(std::uint32_t h);

// Gradient noise in about [-1, 1], smooth, zero at integer lattice points.
float gradientNoise(const Vector3& p, std::uint32_t seed);

// Fractal sum of gradient noise: octaves doubling in frequency, halving in weight.
// The result is normalised to about [-1, 1].
float fractalNoise(const Vector3& p, int octaves, std::uint32_t seed);

// Ridged fractal noise in [0, 1]: sharp crests where the noise crosses zero.
float ridgedNoise(const Vector3& p, int octaves, std::uint32_t seed);

// Hermite step: 0 up to a, 1 from b on, smooth in between.
float smoothstep(float a, float b, float x);

// A small deterministic random sequence (for star positions, crater lists, plates).
class Random {
public:
    explicit Random(std::uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    std::uint32_t state;

    std::uint32_t next();
    // Uniform in [lo, hi).
    float uniform(float lo, float hi);
    // A uniformly distributed unit vector.
    Vector3 direction();
};
