#include "canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace painter {

Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

Rgb operator*(Rgb c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}

Rgb Mix(Rgb a, Rgb b, float t) {
    return a * (1.0f - t) + b * t;
}

Rgb Lighten(Rgb c, float amount) {
    if (amount >= 0.0f) {
        return Mix(c, Rgb{255.0f, 255.0f, 255.0f}, std::min(amount, 1.0f));
    }
    return c * std::max(0.0f, 1.0f + amount);
}

Rgb FromBytes(int r, int g, int b) {
    return {float(r), float(g), float(b)};
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height)) {}

QImage Canvas::toImage() const {
    QImage image(width_, height_, QImage::Format_RGB888);
    const auto toByte = [](float v) { return uchar(std::clamp(std::lround(v), 0L, 255L)); };
    for (int y = 0; y < height_; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width_; ++x) {
            const Rgb& c = at(x, y);
            line[3 * x] = toByte(c.r);
            line[3 * x + 1] = toByte(c.g);
            line[3 * x + 2] = toByte(c.b);
        }
    }
    return image;
}

Mask::Mask(int width, int height)
    : width_(width), height_(height), cover_(std::size_t(width) * std::size_t(height), 0.0f) {}

Mask Mask::FromPath(const QPainterPath& path, int width, int height, bool antialias) {
    QImage image(width, height, QImage::Format_Grayscale8);
    image.fill(0);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, antialias);
        p.fillPath(path, Qt::white);
    }
    Mask mask(width, height);
    for (int y = 0; y < height; ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            mask.set(x, y, float(line[x]) / 255.0f);
        }
    }
    return mask;
}

Mask Mask::FromRegion(const QRegion& region, int width, int height) {
    Mask mask(width, height);
    for (const QRect& rect : region) {
        for (int y = std::max(rect.top(), 0); y <= std::min(rect.bottom(), height - 1); ++y) {
            for (int x = std::max(rect.left(), 0); x <= std::min(rect.right(), width - 1); ++x) {
                mask.set(x, y, 1.0f);
            }
        }
    }
    return mask;
}

Mask Mask::intersected(const Mask& other) const {
    Mask result(width_, height_);
    for (std::size_t i = 0; i < cover_.size(); ++i) {
        result.cover_[i] = std::min(cover_[i], other.cover_[i]);
    }
    return result;
}

Mask Mask::subtracted(const Mask& other) const {
    Mask result(width_, height_);
    for (std::size_t i = 0; i < cover_.size(); ++i) {
        result.cover_[i] = std::max(0.0f, cover_[i] - other.cover_[i]);
    }
    return result;
}

Mask Mask::shifted(int dx, int dy) const {
    Mask result(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            result.set(x, y, at(x - dx, y - dy));
        }
    }
    return result;
}

Mask Mask::blurred(int radius) const {
    Mask result = *this;
    const float span = float(2 * radius + 1);
    for (int pass = 0; pass < 2; ++pass) {
        Mask horizontal(width_, height_);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                float sum = 0.0f;
                for (int k = -radius; k <= radius; ++k) {
                    sum += result.at(x + k, y);
                }
                horizontal.set(x, y, sum / span);
            }
        }
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                float sum = 0.0f;
                for (int k = -radius; k <= radius; ++k) {
                    sum += horizontal.at(x, y + k);
                }
                result.set(x, y, sum / span);
            }
        }
    }
    return result;
}

void Composite(Canvas& canvas, const Mask& mask, const Shader& shader) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const float cover = mask.at(x, y);
            if (cover > 0.0f) {
                canvas.at(x, y) = Mix(canvas.at(x, y), shader(x, y), cover);
            }
        }
    }
}

void Darken(Canvas& canvas, const Mask& mask, float opacity) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const float cover = mask.at(x, y);
            if (cover > 0.0f) {
                canvas.at(x, y) = canvas.at(x, y) * (1.0f - opacity * cover);
            }
        }
    }
}

} // namespace painter
