// The recess beside the screen and its three small round buttons. Each button is a dark
// bezel ring around a 14 x 14 dome carrying its mark; lit, the dome glows pale green-white.

#include "relief.h"
#include "skin_parts.h"
#include "texture.h"

#include <QPainterPath>
#include <QPainterPathStroker>
#include <cmath>

namespace painter {
namespace {

const MetalStyle kRecessMetal{FromBytes(58, 61, 64), 0.08f, 0.03f, 0.03f, 127u};

// How far each of the disc's first three rows (and, mirrored, its last three) is indented
// from the sides of its 14 x 14 square.
constexpr int kIndent[3] = {3, 2, 1};
constexpr int kDiscSize = 14;

int indentOfRow(int row) {
    if (row < 3) {
        return kIndent[row];
    }
    if (row >= kDiscSize - 3) {
        return kIndent[kDiscSize - 1 - row];
    }
    return 0;
}

// Whether the pixel at (dx, dy) of a 16 x 16 button box belongs to its disc.
bool inButtonDisc(int dx, int dy) {
    const int row = dy - 1, col = dx - 1;
    if (row < 0 || row >= kDiscSize || col < 0 || col >= kDiscSize) {
        return false;
    }
    const int indent = indentOfRow(row);
    return col >= indent && col < kDiscSize - indent;
}

QPainterPath markPath(layout::ButtonMark mark, QPointF centre) {
    QPainterPath line;
    switch (mark) {
    case layout::ButtonMark::Cross:
        line.moveTo(centre + QPointF(-3, -3));
        line.lineTo(centre + QPointF(3, 3));
        line.moveTo(centre + QPointF(3, -3));
        line.lineTo(centre + QPointF(-3, 3));
        break;
    case layout::ButtonMark::Minus:
        line.moveTo(centre + QPointF(-3.5, 0));
        line.lineTo(centre + QPointF(3.5, 0));
        break;
    case layout::ButtonMark::Question:
        line.moveTo(centre + QPointF(-2.4, -1.9));
        line.cubicTo(centre + QPointF(-2.4, -5.2), centre + QPointF(2.6, -5.2),
                     centre + QPointF(2.5, -2.3));
        line.cubicTo(centre + QPointF(2.4, -0.6), centre + QPointF(0, -0.4),
                     centre + QPointF(0, 1.3));
        break;
    }
    QPainterPathStroker stroker;
    stroker.setWidth(mark == layout::ButtonMark::Minus ? 2.0 : 1.7);
    stroker.setCapStyle(Qt::FlatCap);
    QPainterPath path = stroker.createStroke(line);
    if (mark == layout::ButtonMark::Question) {
        path.addEllipse(centre + QPointF(0, 3.6), 1.05, 1.05);
    }
    return path;
}

Rgb domeColour(float nx, float ny, bool lit) {
    const float r2 = std::min(nx * nx + ny * ny, 0.96f);
    const float scale = std::sqrt(r2 / std::max(nx * nx + ny * ny, 1e-6f));
    const DomeLight light = DomeAt(nx * scale, ny * scale);
    if (lit) {
        // Lit from within: bright in the middle, a little darker at the rim.
        const float rim = std::sqrt(r2);
        const Rgb glow = Mix(FromBytes(236, 255, 238), FromBytes(150, 220, 160), rim * rim);
        return Lighten(glow * (0.88f + 0.16f * light.diffuse), 0.6f * light.highlight);
    }
    return Lighten(FromBytes(150, 153, 156) * (0.45f + 0.75f * light.diffuse),
                   0.55f * light.highlight);
}

} // namespace

void PaintButtonDisc(Canvas& canvas, const layout::ButtonPlace& button, bool lit) {
    const QPoint origin = button.topLeft;
    const QPointF centre(origin.x() + 8.0, origin.y() + 8.0);
    Mask disc(canvas.width(), canvas.height());
    for (int dy = 0; dy < layout::kButtonSize; ++dy) {
        for (int dx = 0; dx < layout::kButtonSize; ++dx) {
            if (inButtonDisc(dx, dy)) {
                disc.set(origin.x() + dx, origin.y() + dy, 1.0f);
            }
        }
    }
    Composite(canvas, disc, [centre, lit](int x, int y) {
        const float nx = (float(x) + 0.5f - float(centre.x())) / 7.0f;
        const float ny = (float(y) + 0.5f - float(centre.y())) / 7.0f;
        return domeColour(nx, ny, lit);
    });
    const Mask mark = Mask::FromPath(markPath(button.mark, centre), canvas.width(), canvas.height())
                          .intersected(disc);
    const Rgb ink = lit ? FromBytes(18, 58, 30) : FromBytes(38, 41, 44);
    Composite(canvas, mark, [ink](int, int) { return ink; });
}

void PaintButtonRecess(Canvas& canvas) {
    const QRect& r = layout::kRecess;
    QPainterPath path;
    path.addRoundedRect(QRectF(r.x(), r.y(), r.width(), r.height()), 8, 8);
    const Mask recess = Mask::FromPath(path, canvas.width(), canvas.height());
    Composite(canvas, recess, MetalShader(kRecessMetal));
    Bevel(canvas, recess, 4.0f, -0.75f);

    for (const layout::ButtonPlace& button : layout::kButtons) {
        const QPointF centre(button.topLeft.x() + 8.0, button.topLeft.y() + 8.0);
        // A dark bezel ring with a lit lower lip, around which the disc sits.
        QPainterPath ring;
        ring.addEllipse(centre, 8.1, 8.1);
        const Mask bezel = Mask::FromPath(ring, canvas.width(), canvas.height());
        DropShadow(canvas, bezel, -1, -1, 1, 0.35f);
        Composite(canvas, bezel, [](int x, int y) {
            return FromBytes(30, 32, 34) * (0.9f + 0.2f * Hash(x, y, 131u));
        });
        Bevel(canvas, bezel, 2.0f, -0.5f);
        PaintButtonDisc(canvas, button, false);
    }
}

} // namespace painter
