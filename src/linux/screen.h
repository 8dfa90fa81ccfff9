#pragma once
// The screen's density as twips (1/1440 inch) per pixel of the coordinate system in which the
// window is drawn, one value per axis. Read afresh on every call.

#include <functional>

namespace platform {

float TwipsPerPixelX();
float TwipsPerPixelY();

// Tests replace the density; an empty function restores the screen's own.
using TwipsSource = std::function<float()>;
void SetTwipsPerPixelSource(TwipsSource x, TwipsSource y);

} // namespace platform
