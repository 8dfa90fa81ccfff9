#pragma once
// Whether the pointer, given in twips relative to the window, lies in a round hot spot.

#include "platform/regions.h"

namespace shape {

// The twips position and the screen's twips per pixel are each rounded to the nearest integer
// (ties to even) and divided with truncation toward zero. Throws platform::RuntimeError when a
// value is out of range or the density rounds to 0.
bool InHotSpot(platform::HRGN spot, float X, float Y);

// The pixel a twips position falls on at the given density.
int TwipsToPixel(float twips, float twipsPerPixel);

} // namespace shape
