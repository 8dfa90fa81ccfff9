#pragma once
// Light and shade that make flat shapes read as pressed metal: bevelled edges, drop shadows
// and domes, all lit from the upper left.

#include "canvas.h"

#include <QPointF>

namespace painter {

// Distance in pixels from each pixel inside the mask to the nearest pixel outside it.
std::vector<float> InsideDistance(const Mask& mask);

// Shades a band `width` pixels wide along the shape's edges. depth > 0 raises the shape
// (light upper-left edges, dark lower-right ones), depth < 0 sinks it; |depth| about 0.2..0.8.
void Bevel(Canvas& canvas, const Mask& shape, float width, float depth);

// Darkens what lies under the shape moved by (dx, dy) and blurred, outside the shape itself.
void DropShadow(Canvas& canvas, const Mask& shape, int dx, int dy, int blur, float opacity);

// Brightness factor of a dome at the offset (nx, ny) from its centre, in radii (|n| <= 1):
// diffuse light from the upper left plus a small highlight.
struct DomeLight {
    float diffuse;
    float highlight;
};
DomeLight DomeAt(float nx, float ny);

// A round-headed rivet with its shadow.
void Rivet(Canvas& canvas, QPointF centre, float radius, Rgb metal);

} // namespace painter
