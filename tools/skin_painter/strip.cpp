// The input strip along the bottom: a black field in a thin grey metal frame.

#include "relief.h"
#include "skin_parts.h"
#include "texture.h"

namespace painter {

void PaintInputStrip(Canvas& canvas, const Mask& device) {
    const MetalStyle frameMetal{FromBytes(128, 131, 135), 0.06f, 0.03f, 0.05f, 197u};
    const Mask frame =
        Mask::FromRegion(QRegion(layout::kStripOuter), canvas.width(), canvas.height())
            .intersected(device);
    Composite(canvas, frame, MetalShader(frameMetal));
    Bevel(canvas, frame, 2.0f, 0.55f);

    // The interior is pure black; its edge throws a lit lip on the frame below and to the
    // right, as a field sunk into the frame would.
    const QRect& inside = layout::kStripInterior;
    for (int x = inside.left(); x <= inside.right() + 1; ++x) {
        canvas.at(x, inside.bottom() + 1) = Lighten(canvas.at(x, inside.bottom() + 1), 0.2f);
    }
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        canvas.at(inside.right() + 1, y) = Lighten(canvas.at(inside.right() + 1, y), 0.2f);
    }
    for (int x = inside.left() - 1; x <= inside.right(); ++x) {
        canvas.at(x, inside.top() - 1) = canvas.at(x, inside.top() - 1) * 0.6f;
    }
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        canvas.at(inside.left() - 1, y) = canvas.at(inside.left() - 1, y) * 0.6f;
    }
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            canvas.at(x, y) = Rgb{};
        }
    }
}

} // namespace painter
