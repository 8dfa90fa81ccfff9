#include "texture.h"

#include <cmath>

namespace painter {
namespace {

std::uint32_t mix(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

float Hash(int x, int y, std::uint32_t seed) {
    const std::uint32_t h =
        mix(std::uint32_t(x) * 0x8da6b343u ^ mix(std::uint32_t(y) * 0xd8163841u + seed));
    return float(h >> 8) / float(1u << 24);
}

float ValueNoise(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const float tx = smooth(x - fx), ty = smooth(y - fy);
    const float top = Hash(ix, iy, seed) * (1 - tx) + Hash(ix + 1, iy, seed) * tx;
    const float bottom = Hash(ix, iy + 1, seed) * (1 - tx) + Hash(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

float Fractal(float x, float y, float scale, std::uint32_t seed, int octaves) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f, frequency = 1.0f / scale;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * ValueNoise(x * frequency, y * frequency, seed + 101u * std::uint32_t(i));
        total += weight;
        weight *= 0.5f;
        frequency *= 2.0f;
    }
    return sum / total;
}

Rgb MetalAt(const MetalStyle& style, int x, int y) {
    const float stain = Fractal(float(x), float(y), 40.0f, style.seed) - 0.5f;
    const float streak = ValueNoise(float(x) / 30.0f, float(y) * 0.9f, style.seed + 7u) - 0.5f;
    const float grain = Hash(x, y, style.seed + 13u) - 0.5f;
    const float k = 1.0f + 2.0f * style.mottle * stain + 2.0f * style.brush * streak +
                    2.0f * style.grain * grain;
    return style.base * k;
}

Shader MetalShader(const MetalStyle& style) {
    return [style](int x, int y) { return MetalAt(style, x, y); };
}

std::uint32_t Dice::next() {
    state_ = state_ * 1664525u + 1013904223u;
    return mix(state_);
}

float Dice::uniform(float low, float high) {
    return low + (high - low) * float(next() >> 8) / float(1u << 24);
}

} // namespace painter
