// The grey casing: its main body with bevelled edges, an engraved inner seam, rivets and wear,
// and the raised title block with the dark name plate.

#include "device_region.h"
#include "lettering.h"
#include "relief.h"
#include "skin_parts.h"
#include "texture.h"

#include <QPainterPath>
#include <cmath>

namespace painter {
namespace {

const MetalStyle kCasingMetal{FromBytes(136, 139, 142), 0.09f, 0.035f, 0.035f, 11u};
const MetalStyle kTitleMetal{FromBytes(150, 153, 156), 0.07f, 0.03f, 0.05f, 23u};
const Rgb kRivetMetal = FromBytes(170, 172, 174);

// The body follows the outline from the title block round the right side down to the cable,
// where its lower right corner is hidden by the arm, then along the bottom and up the left.
QPainterPath bodyPath() {
    const QPolygon outline = OuterOutline();
    QPolygonF body;
    for (int i = 0; i <= 48; ++i) {
        body << outline[i];
    }
    body << QPointF(339, 372);
    for (int i = 77; i < outline.size(); ++i) {
        body << outline[i];
    }
    QPainterPath path;
    path.addPolygon(body);
    path.closeSubpath();
    return path;
}

// An engraved line at a fixed distance inside the body's edge: a dark groove with a lit lip
// on its lower right.
void engraveSeam(Canvas& canvas, const Mask& body, float inset) {
    const std::vector<float> distance = InsideDistance(body);
    Mask groove(body.width(), body.height());
    for (int y = 0; y < body.height(); ++y) {
        for (int x = 0; x < body.width(); ++x) {
            const float d = distance[std::size_t(y) * std::size_t(body.width()) + x];
            groove.set(x, y, std::max(0.0f, 1.0f - std::abs(d - inset) / 0.8f));
        }
    }
    const Mask lip = groove.shifted(1, 1).subtracted(groove);
    Darken(canvas, groove, 0.45f);
    Composite(canvas, lip, [&canvas](int x, int y) { return Lighten(canvas.at(x, y), 0.35f); });
}

void wearEdges(Canvas& canvas, const Mask& body) {
    const std::vector<float> distance = InsideDistance(body);
    for (int y = 0; y < body.height(); ++y) {
        for (int x = 0; x < body.width(); ++x) {
            const float d = distance[std::size_t(y) * std::size_t(body.width()) + x];
            if (d > 0.0f && d < 2.5f && Hash(x, y, 31u) > 0.55f) {
                canvas.at(x, y) = Lighten(canvas.at(x, y), 0.18f * Fractal(x, y, 6.0f, 37u));
            }
        }
    }
}

void scratch(Canvas& canvas, const Mask& body, std::uint32_t seed, int count) {
    Dice dice(seed);
    QPainterPath lines;
    for (int i = 0; i < count; ++i) {
        const QPointF from(dice.uniform(30, 330), dice.uniform(40, 370));
        const float angle = dice.uniform(-0.6f, 0.6f) + (i % 3 == 0 ? 1.5708f : 0.0f);
        const float length = dice.uniform(4, 16);
        const QPointF to = from + QPointF(std::cos(angle) * length, std::sin(angle) * length);
        QPainterPath line;
        line.moveTo(from);
        line.lineTo(to);
        QPainterPathStroker stroker;
        stroker.setWidth(0.4);
        lines.addPath(stroker.createStroke(line));
    }
    const Mask marks = Mask::FromPath(lines, canvas.width(), canvas.height()).intersected(body);
    Composite(canvas, marks, [&canvas](int x, int y) { return Lighten(canvas.at(x, y), 0.3f); });
}

// Rust running down from a rivet.
void rustStreak(Canvas& canvas, QPointF from, float length, std::uint32_t seed) {
    const Rgb rust = FromBytes(112, 66, 38);
    for (int dy = 2; dy < int(length); ++dy) {
        const float fade = 1.0f - float(dy) / length;
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = int(from.x()) + dx, y = int(from.y()) + dy;
            const float amount =
                fade * (dx == 0 ? 0.32f : 0.12f) * (0.6f + 0.6f * Hash(x, y, seed));
            canvas.at(x, y) = Mix(canvas.at(x, y), rust, amount);
        }
    }
}

void rivets(Canvas& canvas) {
    const QPointF places[] = {
        {34, 70},   {34, 92},  {331, 70},  {331, 92},  {52, 120},  {52, 250}, {312, 120},
        {312, 250}, {34, 282}, {34, 308},  {331, 282}, {60, 40},   {300, 40}, {56, 362},
        {240, 363}, {88, 296}, {276, 296}, {80, 70},   {286, 137},
    };
    std::uint32_t seed = 41u;
    for (const QPointF& place : places) {
        Rivet(canvas, place, 2.6f, kRivetMetal);
        if (++seed % 3 == 0) {
            rustStreak(canvas, place, 9.0f + float(seed % 5), seed);
        }
    }
}

// Dark oily blotches and a few bright patches worn smooth by hands.
void stains(Canvas& canvas, const Mask& body) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const float cover = body.at(x, y);
            if (cover <= 0.0f) {
                continue;
            }
            const float oil = std::clamp((Fractal(x, y, 22.0f, 43u, 5) - 0.56f) * 4.0f, 0.0f, 1.0f);
            const float worn =
                std::clamp((Fractal(x, y, 30.0f, 47u, 3) - 0.66f) * 4.0f, 0.0f, 1.0f);
            Rgb c =
                Mix(canvas.at(x, y), canvas.at(x, y) * 0.72f + FromBytes(14, 9, 4), oil * cover);
            canvas.at(x, y) = Lighten(c, 0.1f * worn * cover);
        }
    }
}

// Dirt gathers towards the bottom of the casing and in its lower corners.
void grime(Canvas& canvas, const Mask& body) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const float cover = body.at(x, y);
            if (cover <= 0.0f) {
                continue;
            }
            const float low = std::clamp((float(y) - 250.0f) / 140.0f, 0.0f, 1.0f);
            const float dirt = Fractal(x, y, 18.0f, 53u);
            canvas.at(x, y) = canvas.at(x, y) * (1.0f - cover * low * 0.22f * (0.5f + dirt));
        }
    }
}

QPainterPath titleBlockPath() {
    QPainterPath path;
    path.addPolygon(QPolygonF{QVector<QPointF>{{115, 1},
                                               {249, 1},
                                               {250, 10},
                                               {252, 12},
                                               {253, 15},
                                               {253, 43},
                                               {113, 43},
                                               {113, 15},
                                               {114, 11}}});
    path.closeSubpath();
    return path;
}

void paintNamePlate(Canvas& canvas) {
    const QRect& plate = layout::kNamePlate;
    QPainterPath path;
    path.addRoundedRect(QRectF(plate.x(), plate.y(), plate.width(), plate.height()), 2.5, 2.5);
    const Mask mask = Mask::FromPath(path, canvas.width(), canvas.height());
    Composite(canvas, mask, [](int x, int y) {
        const float sheen = 1.0f - 0.25f * float(y - layout::kNamePlate.y()) / 14.0f;
        return Lighten(FromBytes(34, 37, 40) * sheen, 0.05f * Hash(x, y, 61u));
    });
    Bevel(canvas, mask, 2.0f, -0.55f);

    // "Orvane" in light fixed-pitch dots, each with a faint shadow to its lower right.
    constexpr int kPitch = 8;
    const QString name = QStringLiteral("Orvane");
    const int width = int(name.size()) * kPitch - (kPitch - kPlateCellWidth);
    const QPoint origin(plate.x() + (plate.width() - width) / 2,
                        plate.y() + (plate.height() - kPlateCellHeight) / 2);
    const std::vector<QPoint> dots = PlateDots(name, kPitch);
    for (const QPoint& dot : dots) {
        const QPoint p = origin + dot + QPoint(1, 1);
        canvas.at(p.x(), p.y()) = canvas.at(p.x(), p.y()) * 0.55f;
    }
    for (const QPoint& dot : dots) {
        const QPoint p = origin + dot;
        canvas.at(p.x(), p.y()) =
            Lighten(FromBytes(214, 218, 204), -0.06f * Hash(p.x(), p.y(), 67u));
    }
    Rivet(canvas, QPointF(plate.x() + 5.5, plate.center().y() + 0.5), 1.8f, kRivetMetal);
    Rivet(canvas, QPointF(plate.right() - 4.5, plate.center().y() + 0.5), 1.8f, kRivetMetal);
}

// Fine horizontal ribs across the top of the title block.
void ribs(Canvas& canvas, const Mask& block) {
    for (int y = 6; y <= 19; y += 3) {
        for (int x = 124; x <= 242; ++x) {
            if (block.inside(x, y)) {
                canvas.at(x, y) = canvas.at(x, y) * 0.72f;
                canvas.at(x, y + 1) = Lighten(canvas.at(x, y + 1), 0.22f);
            }
        }
    }
}

} // namespace

void PaintCasing(Canvas& canvas, const Mask& device) {
    const Mask body =
        Mask::FromPath(bodyPath(), canvas.width(), canvas.height(), false).intersected(device);
    // Light falls from the upper left across the whole face.
    Composite(canvas, body, [](int x, int y) {
        const float falloff = 0.4f * float(x) / 353.0f + 0.6f * float(y) / 437.0f;
        return MetalAt(kCasingMetal, x, y) * (1.07f - 0.16f * falloff);
    });
    Bevel(canvas, body, 6.0f, 0.55f);
    engraveSeam(canvas, body, 9.0f);
    wearEdges(canvas, body);
    stains(canvas, body);
    scratch(canvas, body, 71u, 40);
    grime(canvas, body);
    rivets(canvas);
}

void PaintTitleBlock(Canvas& canvas, const Mask& device) {
    const Mask block = Mask::FromPath(titleBlockPath(), canvas.width(), canvas.height(), false)
                           .intersected(device);
    DropShadow(canvas, block, 2, 3, 2, 0.55f);
    Composite(canvas, block, MetalShader(kTitleMetal));
    ribs(canvas, block);
    Bevel(canvas, block, 4.0f, 0.6f);
    Rivet(canvas, QPointF(119.5, 31.5), 2.4f, kRivetMetal);
    Rivet(canvas, QPointF(119.5, 8.5), 2.2f, kRivetMetal);
    Rivet(canvas, QPointF(245.5, 8.5), 2.2f, kRivetMetal);
    paintNamePlate(canvas);
}

} // namespace painter
