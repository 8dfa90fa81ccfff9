#include "linux/screen.h"

namespace platform {
namespace {

TwipsSource& sourceX() {
    static TwipsSource source;
    return source;
}

TwipsSource& sourceY() {
    static TwipsSource source;
    return source;
}

// Qt lays every window out in device-independent pixels of 1/96 inch and maps them to the
// screen's real density itself (its device pixel ratio), for the skin, the region and the
// controls alike. Measured in those pixels a screen therefore always has 15 twips per pixel,
// which keeps the window's outline on its painting at every density and scale factor.
constexpr float kTwipsPerDeviceIndependentPixel = 1440.0f / 96.0f;

} // namespace

float TwipsPerPixelX() {
    return sourceX() ? sourceX()() : kTwipsPerDeviceIndependentPixel;
}

float TwipsPerPixelY() {
    return sourceY() ? sourceY()() : kTwipsPerDeviceIndependentPixel;
}

void SetTwipsPerPixelSource(TwipsSource x, TwipsSource y) {
    sourceX() = std::move(x);
    sourceY() = std::move(y);
}

} // namespace platform
