#include "relief.h"

#include <algorithm>
#include <cmath>

namespace painter {
namespace {

constexpr float kDiagonal = 1.41421356f;

void relax(std::vector<float>& d, std::size_t i, std::size_t j, float step) {
    d[i] = std::min(d[i], d[j] + step);
}

} // namespace

std::vector<float> InsideDistance(const Mask& mask) {
    const int w = mask.width(), h = mask.height();
    std::vector<float> d(std::size_t(w) * std::size_t(h));
    const auto at = [w](int x, int y) { return std::size_t(y) * std::size_t(w) + x; };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            d[at(x, y)] = mask.inside(x, y) ? 1e6f : 0.0f;
        }
    }
    // Two chamfer passes; pixels at the image's border count as next to the outside.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = at(x, y);
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                d[i] = std::min(d[i], 1.0f);
                continue;
            }
            relax(d, i, at(x - 1, y), 1.0f);
            relax(d, i, at(x, y - 1), 1.0f);
            relax(d, i, at(x - 1, y - 1), kDiagonal);
            relax(d, i, at(x + 1, y - 1), kDiagonal);
        }
    }
    for (int y = h - 2; y > 0; --y) {
        for (int x = w - 2; x > 0; --x) {
            const std::size_t i = at(x, y);
            relax(d, i, at(x + 1, y), 1.0f);
            relax(d, i, at(x, y + 1), 1.0f);
            relax(d, i, at(x + 1, y + 1), kDiagonal);
            relax(d, i, at(x - 1, y + 1), kDiagonal);
        }
    }
    return d;
}

void Bevel(Canvas& canvas, const Mask& shape, float width, float depth) {
    const int w = shape.width(), h = shape.height();
    const std::vector<float> distance = InsideDistance(shape);
    // A rounded profile: steep at the edge, flat where the bevel meets the face.
    Mask height(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float t = std::min(distance[std::size_t(y) * std::size_t(w) + x] / width, 1.0f);
            height.set(x, y, 1.0f - (1.0f - t) * (1.0f - t));
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float cover = shape.at(x, y);
            if (cover <= 0.0f) {
                continue;
            }
            const float gx = (height.at(x + 1, y) - height.at(x - 1, y)) * 0.5f;
            const float gy = (height.at(x, y + 1) - height.at(x, y - 1)) * 0.5f;
            const float slope = std::clamp((gx + gy) * width / kDiagonal, -1.0f, 1.0f);
            canvas.at(x, y) = Lighten(canvas.at(x, y), depth * slope * cover);
        }
    }
}

void DropShadow(Canvas& canvas, const Mask& shape, int dx, int dy, int blur, float opacity) {
    Darken(canvas, shape.shifted(dx, dy).blurred(blur).subtracted(shape), opacity);
}

DomeLight DomeAt(float nx, float ny) {
    const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
    // Light from the upper left, somewhat in front.
    const float lx = -0.48f, ly = -0.58f, lz = 0.66f;
    const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
    // Reflection of the light towards the viewer (0, 0, 1).
    const float reflected = 2.0f * (nx * lx + ny * ly + nz * lz) * nz - lz;
    const float highlight = std::pow(std::max(0.0f, reflected), 18.0f);
    return {diffuse, highlight};
}

void Rivet(Canvas& canvas, QPointF centre, float radius, Rgb metal) {
    const int x0 = int(std::floor(centre.x() - radius - 2));
    const int y0 = int(std::floor(centre.y() - radius - 2));
    const int x1 = int(std::ceil(centre.x() + radius + 3));
    const int y1 = int(std::ceil(centre.y() + radius + 3));
    constexpr int kSamples = 4;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (!canvas.contains(x, y)) {
                continue;
            }
            Rgb sum{};
            float head = 0.0f, shadow = 0.0f;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float px = float(x) + (float(sx) + 0.5f) / kSamples;
                    const float py = float(y) + (float(sy) + 0.5f) / kSamples;
                    const float nx = (px - float(centre.x())) / radius;
                    const float ny = (py - float(centre.y())) / radius;
                    if (nx * nx + ny * ny <= 1.0f) {
                        const DomeLight light = DomeAt(nx, ny);
                        sum = sum + Lighten(metal * (0.35f + 0.95f * light.diffuse),
                                            0.8f * light.highlight);
                        head += 1.0f;
                    } else {
                        const float sx2 = nx - 0.45f, sy2 = ny - 0.45f;
                        shadow += sx2 * sx2 + sy2 * sy2 <= 1.25f ? 1.0f : 0.0f;
                    }
                }
            }
            constexpr float kTotal = kSamples * kSamples;
            Rgb& pixel = canvas.at(x, y);
            pixel = pixel * (1.0f - 0.55f * shadow / kTotal);
            if (head > 0.0f) {
                pixel = Mix(pixel, sum * (1.0f / head), head / kTotal);
            }
        }
    }
}

} // namespace painter
