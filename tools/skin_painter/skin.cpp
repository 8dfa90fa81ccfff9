#include "skin.h"

#include "device_region.h"
#include "skin_parts.h"
#include "texture.h"

namespace painter {
namespace {

// Everything outside the window region is pure black.
void cutToRegion(Canvas& canvas, const Mask& device) {
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (!device.inside(x, y)) {
                canvas.at(x, y) = Rgb{};
            }
        }
    }
}

QImage cutOut(const Canvas& canvas, const QRect& rect) {
    return canvas.toImage().copy(rect);
}

} // namespace

Canvas PaintSkin() {
    Canvas canvas(layout::kSkinWidth, layout::kSkinHeight);
    const Mask device = Mask::FromRegion(DeviceRegion(), canvas.width(), canvas.height());
    // A dark backing under every part, so no corner of the region is left unpainted.
    Composite(canvas, device, MetalShader({FromBytes(64, 66, 69), 0.08f, 0.04f, 0.0f, 3u}));
    PaintCasing(canvas, device);
    PaintVents(canvas);
    PaintTitleBlock(canvas, device);
    PaintScreenAssembly(canvas);
    PaintButtonRecess(canvas);
    PaintLogo(canvas);
    PaintInputStrip(canvas, device);
    PaintCableLoop(canvas, device);
    cutToRegion(canvas, device);
    return canvas;
}

QImage LitButton(const Canvas& skin, int buttonIndex) {
    const layout::ButtonPlace& button = layout::kButtons.at(std::size_t(buttonIndex));
    Canvas lit = skin;
    PaintButtonDisc(lit, button, true);
    return cutOut(lit, QRect(button.topLeft, QSize(layout::kButtonSize, layout::kButtonSize)));
}

QImage LitLeftArrow(const Canvas& skin) {
    Canvas lit = skin;
    PaintArrow(lit, ArrowSide::Left, true);
    return cutOut(lit, layout::kLeftArrowImage);
}

QImage LitRightArrow(const Canvas& skin) {
    Canvas lit = skin;
    PaintArrow(lit, ArrowSide::Right, true);
    return cutOut(lit, layout::kRightArrowImage);
}

} // namespace painter
