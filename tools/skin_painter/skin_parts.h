#pragma once
// The pieces of the device, painted one over the other onto the skin canvas. `device` is the
// window region as a mask: what lies outside it is never seen and ends up black.

#include "canvas.h"
#include "skin_layout.h"

namespace painter {

void PaintCasing(Canvas& canvas, const Mask& device);
void PaintTitleBlock(Canvas& canvas, const Mask& device);
void PaintVents(Canvas& canvas);
void PaintScreenAssembly(Canvas& canvas);
void PaintButtonRecess(Canvas& canvas);
void PaintLogo(Canvas& canvas);
void PaintCableLoop(Canvas& canvas, const Mask& device);
void PaintInputStrip(Canvas& canvas, const Mask& device);

enum class ArrowSide { Left, Right };
// The arrow's triangle, grey or lit; changes only pixels inside the arrow's 24 x 19 box.
void PaintArrow(Canvas& canvas, ArrowSide side, bool lit);
// The button's 14 x 14 disc with its mark, grey or lit; changes only the disc's pixels.
void PaintButtonDisc(Canvas& canvas, const layout::ButtonPlace& button, bool lit);

} // namespace painter
