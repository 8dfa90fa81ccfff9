// The screen assembly: a raised metal bezel around the green screen, widening at the bottom
// into the arrow bar with its two triangles and the plain plate where the counter is written.

#include "relief.h"
#include "skin_parts.h"
#include "texture.h"

#include <QPainterPath>
#include <cmath>

namespace painter {
namespace {

const MetalStyle kBezelMetal{FromBytes(126, 129, 133), 0.07f, 0.03f, 0.05f, 83u};
const MetalStyle kCounterMetal{FromBytes(82, 85, 88), 0.06f, 0.03f, 0.06f, 89u};
const MetalStyle kArrowMetal{FromBytes(150, 153, 157), 0.04f, 0.025f, 0.02f, 97u};

QRectF toRectF(const QRect& r) {
    return QRectF(r.x(), r.y(), r.width(), r.height());
}

Mask roundedRect(const Canvas& canvas, const QRect& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(toRectF(rect), radius, radius);
    return Mask::FromPath(path, canvas.width(), canvas.height());
}

Rgb screenColour(int x, int y) {
    const QRect& s = layout::kScreen;
    const float u = float(x - s.x()) / float(s.width());
    const float v = float(y - s.y()) / float(s.height());
    // A faint glow in the middle of the tube and a darker rim.
    const float glow = 1.0f - 0.55f * ((u - 0.5f) * (u - 0.5f) + (v - 0.45f) * (v - 0.45f));
    Rgb colour = FromBytes(9, 44, 22) * glow;
    const bool gridLine = (x - s.x()) % 6 == 3 || (y - s.y()) % 6 == 3;
    if (gridLine) {
        colour = Mix(colour, FromBytes(28, 86, 46) * glow, 0.8f);
    }
    // A pale reflection of light across the upper left of the glass.
    const float reflection = std::clamp(1.0f - std::abs(u + v - 0.45f) / 0.18f, 0.0f, 1.0f);
    colour = Lighten(colour, 0.035f * reflection * (1.0f - v));
    return colour * (0.96f + 0.08f * Hash(x, y, 101u));
}

QPainterPath trianglePath(ArrowSide side) {
    const QRect box = side == ArrowSide::Left ? layout::kLeftArrowBox : layout::kRightArrowBox;
    const qreal top = box.y() + 1.5, bottom = box.bottom() - 0.5, middle = (top + bottom) / 2;
    const qreal tipX = side == ArrowSide::Left ? box.x() + 2.0 : box.right() - 1.0;
    const qreal baseX = side == ArrowSide::Left ? box.right() - 1.0 : box.x() + 2.0;
    QPainterPath path;
    path.moveTo(tipX, middle);
    path.lineTo(baseX, top);
    path.lineTo(baseX, bottom);
    path.closeSubpath();
    return path;
}

Rgb litGreen(int x, int y, const QRect& box) {
    // Light at the upper left of the box, dark at its lower right.
    const float t = std::clamp(
        (float(x - box.x()) / float(box.width()) + float(y - box.y()) / float(box.height())) / 2.0f,
        0.0f, 1.0f);
    return Mix(FromBytes(190, 255, 170), FromBytes(10, 150, 40), t) *
           (0.97f + 0.05f * Hash(x, y, 113u));
}

} // namespace

void PaintArrow(Canvas& canvas, ArrowSide side, bool lit) {
    const QRect box = side == ArrowSide::Left ? layout::kLeftArrowBox : layout::kRightArrowBox;
    const Mask inBox = Mask::FromRegion(QRegion(box), canvas.width(), canvas.height());
    const Mask triangle =
        Mask::FromPath(trianglePath(side), canvas.width(), canvas.height()).intersected(inBox);
    if (lit) {
        Composite(canvas, triangle, [box](int x, int y) { return litGreen(x, y, box); });
        Bevel(canvas, triangle, 2.0f, 0.45f);
        return;
    }
    DropShadow(canvas, triangle, 1, 1, 1, 0.5f);
    Composite(canvas, triangle, MetalShader(kArrowMetal));
    Bevel(canvas, triangle, 2.5f, 0.6f);
}

void PaintScreenAssembly(Canvas& canvas) {
    const Mask bezel = roundedRect(canvas, layout::kBezel, 5.0);
    DropShadow(canvas, bezel, 2, 3, 2, 0.5f);
    Composite(canvas, bezel, MetalShader(kBezelMetal));
    Bevel(canvas, bezel, 4.0f, 0.6f);

    const Mask screen = Mask::FromRegion(QRegion(layout::kScreen), canvas.width(), canvas.height());
    Composite(canvas, screen, screenColour);
    Bevel(canvas, screen, 4.0f, -0.7f);

    // A seam between the screen's frame and the bar below it.
    const QRect& bar = layout::kArrowBar;
    for (int x = bar.x() + 4; x <= bar.right() - 4; ++x) {
        if (x < layout::kScreen.x() || x > layout::kScreen.right()) {
            canvas.at(x, bar.y() - 1) = canvas.at(x, bar.y() - 1) * 0.7f;
            canvas.at(x, bar.y()) = Lighten(canvas.at(x, bar.y()), 0.2f);
        }
    }

    const Mask counter =
        Mask::FromRegion(QRegion(layout::kCounterPlate), canvas.width(), canvas.height());
    Composite(canvas, counter, MetalShader(kCounterMetal));
    Bevel(canvas, counter, 2.0f, -0.5f);

    PaintArrow(canvas, ArrowSide::Left, false);
    PaintArrow(canvas, ArrowSide::Right, false);
}

} // namespace painter
