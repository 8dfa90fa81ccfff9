#pragma once
// Where the pointer, given in twips relative to the window, falls in window pixels.

namespace shape {

// The twips position and the screen's twips per pixel are each rounded to the nearest integer
// (ties to even) and divided with truncation toward zero. Throws RuntimeError when a value is
// out of range or the density rounds to 0.
int TwipsToPixel(float twips, float twipsPerPixel);

} // namespace shape
