#include "icon_art.h"

#include "lettering.h"

#include <QPainter>
#include <stdexcept>

namespace painter {
namespace {

// The oval on the 32-pixel design grid: centre and half axes.
constexpr double kCentreX = 16.0;
constexpr double kCentreY = 16.5;
constexpr double kHalfWidth = 14.6;
constexpr double kHalfHeight = 11.45;
constexpr int kTransparentPixels = 498;

constexpr BlockStyle kInitials{11.0f, 2.6f, 2.4f};

bool insideOval(int x, int y) {
    const double dx = (x + 0.5 - kCentreX) / kHalfWidth;
    const double dy = (y + 0.5 - kCentreY) / kHalfHeight;
    return dx * dx + dy * dy <= 1.0;
}

} // namespace

QImage IconArt(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QPainterPath oval;
    oval.addEllipse(QPointF(kCentreX, kCentreY), kHalfWidth, kHalfHeight);
    p.fillPath(oval, Qt::black);

    const QString initials = QStringLiteral("OZ");
    const QPointF origin(kCentreX - BlockWidth(initials, kInitials) / 2.0,
                         kCentreY - kInitials.height / 2.0);
    p.fillPath(BlockWord(initials, origin, kInitials), Qt::white);
    return image;
}

IndexedIcon IconImage32() {
    constexpr int kSize = 32;
    const QImage art = IconArt(kSize);
    IndexedIcon icon;
    icon.size = kSize;
    for (int i = 0; i < 256; ++i) {
        icon.palette[std::size_t(i)] = qRgb(i, i, i);
    }
    int transparentCount = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool clear = !insideOval(x, y);
            transparentCount += clear ? 1 : 0;
            icon.transparent.push_back(clear);
            // White letters over black: the premultiplied red channel is the grey level.
            icon.pixels.push_back(clear ? 0 : std::uint8_t(qRed(art.pixel(x, y))));
        }
    }
    if (transparentCount != kTransparentPixels) {
        throw std::logic_error("the icon's oval does not leave 498 transparent pixels");
    }
    return icon;
}

} // namespace painter
