#pragma once
// The device's window region in skin pixels, built from the outline tables the same way the
// window builds it: the outer outline minus the gap in the cable loop. Everything the painter
// draws is clipped to it, and the black gap is exactly its hole.

#include <QPolygon>
#include <QRegion>

namespace painter {

QPolygon OuterOutline();
QPolygon HoleOutline();
// Pixels inside the outer outline (right and bottom edges exclusive).
QRegion OuterRegion();
// Pixels of the black gap inside the cable loop.
QRegion HoleRegion();
// The window region: what shows of the skin.
QRegion DeviceRegion();

} // namespace painter
