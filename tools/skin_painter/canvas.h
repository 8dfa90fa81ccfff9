#pragma once
// A floating-point RGB canvas and coverage masks. The artwork is composed in floats so that
// the many shading passes (texture, bevels, shadows) do not round at every step; it is rounded
// to 8-bit channels once, at the end.

#include <QImage>
#include <QPainterPath>
#include <QRegion>
#include <functional>
#include <vector>

namespace painter {

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

Rgb operator+(Rgb a, Rgb b);
Rgb operator*(Rgb c, float k);
Rgb Mix(Rgb a, Rgb b, float t);
// Moves a colour towards white (amount > 0) or black (amount < 0), amount in -1..1.
Rgb Lighten(Rgb c, float amount);
Rgb FromBytes(int r, int g, int b);

class Canvas {
public:
    Canvas(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb& at(int x, int y) { return pixels_[index(x, y)]; }
    const Rgb& at(int x, int y) const { return pixels_[index(x, y)]; }
    // Rounds each channel to 0..255.
    QImage toImage() const;

private:
    std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + x; }
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// How much of each pixel a shape covers, 0..1.
class Mask {
public:
    Mask(int width, int height);
    static Mask FromPath(const QPainterPath& path, int width, int height, bool antialias = true);
    static Mask FromRegion(const QRegion& region, int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    float at(int x, int y) const { return contains(x, y) ? cover_[index(x, y)] : 0.0f; }
    void set(int x, int y, float value) { cover_[index(x, y)] = value; }
    bool inside(int x, int y) const { return at(x, y) >= 0.5f; }
    // Pixel by pixel minimum / the part of this mask not covered by the other.
    Mask intersected(const Mask& other) const;
    Mask subtracted(const Mask& other) const;
    // The mask moved by (dx, dy) pixels.
    Mask shifted(int dx, int dy) const;
    // Box blur of the given radius, repeated twice (close to a Gaussian).
    Mask blurred(int radius) const;

private:
    std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + x; }
    int width_;
    int height_;
    std::vector<float> cover_;
};

using Shader = std::function<Rgb(int x, int y)>;

// Paints the shader's colours over the canvas where the mask covers it, blended by coverage.
void Composite(Canvas& canvas, const Mask& mask, const Shader& shader);
// Multiplies the canvas by (1 - opacity * coverage): shadows and grime.
void Darken(Canvas& canvas, const Mask& mask, float opacity);

} // namespace painter
