#pragma once
// The whole artwork: the skin and the lit overlays cut out of it.

#include "canvas.h"

#include <QImage>

namespace painter {

// The device on black, 353 x 437.
Canvas PaintSkin();

// Cut-outs of the skin with one control lit: the three round buttons (close, minimise, help)
// and the two arrows (left, right).
QImage LitButton(const Canvas& skin, int buttonIndex);
QImage LitLeftArrow(const Canvas& skin);
QImage LitRightArrow(const Canvas& skin);

} // namespace painter
