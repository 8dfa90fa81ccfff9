#pragma once
// Deterministic noise for the weathered surfaces. Every value is a pure function of the pixel
// and a seed, so the artwork comes out the same on every run and on every machine.

#include "canvas.h"

#include <cstdint>

namespace painter {

// White noise in 0..1.
float Hash(int x, int y, std::uint32_t seed);
// Smooth noise in 0..1 varying over about one unit.
float ValueNoise(float x, float y, std::uint32_t seed);
// Sum of octaves of value noise, 0..1, features about `scale` pixels wide.
float Fractal(float x, float y, float scale, std::uint32_t seed, int octaves = 4);

struct MetalStyle {
    Rgb base;
    float mottle = 0.10f; // large stains, fraction of brightness
    float grain = 0.035f; // per-pixel grain
    float brush = 0.04f;  // horizontal brushing streaks
    std::uint32_t seed = 1;
};

// The colour of a worn metal surface at a pixel.
Rgb MetalAt(const MetalStyle& style, int x, int y);
Shader MetalShader(const MetalStyle& style);

// A source of pseudo-random numbers whose sequence is fixed by its seed on every platform.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
    // Uniform in [low, high).
    float uniform(float low, float high);

private:
    std::uint32_t next();
    std::uint32_t state_;
};

} // namespace painter
