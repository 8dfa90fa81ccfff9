// Cooling slits in the left flank of the casing and a speaker grille on the right one.

#include "relief.h"
#include "skin_parts.h"
#include "texture.h"

#include <QPainterPath>

namespace painter {
namespace {

const Rgb kDepths = FromBytes(26, 27, 29);

void sink(Canvas& canvas, const QPainterPath& holes) {
    const Mask mask = Mask::FromPath(holes, canvas.width(), canvas.height());
    Composite(canvas, mask,
              [](int x, int y) { return kDepths * (0.9f + 0.2f * Hash(x, y, 211u)); });
    Bevel(canvas, mask, 1.5f, -0.6f);
    // The lit lower lip of each opening.
    const Mask lip = mask.shifted(1, 1).subtracted(mask);
    Composite(canvas, lip, [&canvas](int x, int y) { return Lighten(canvas.at(x, y), 0.3f); });
}

} // namespace

void PaintVents(Canvas& canvas) {
    QPainterPath slits;
    for (int i = 0; i < 9; ++i) {
        slits.addRoundedRect(QRectF(58, 146 + 10 * i, 22, 3.5), 1.75, 1.75);
    }
    sink(canvas, slits);

    QPainterPath grille;
    for (int row = 0; row < 11; ++row) {
        for (int col = 0; col < 5; ++col) {
            grille.addEllipse(QPointF(283.5 + 5 * col + (row % 2) * 2.5, 165.5 + 5 * row), 1.4,
                              1.4);
        }
    }
    sink(canvas, grille);
}

} // namespace painter
