#include "windows/device_scale.h"

#include <cmath>

namespace win {
namespace {
constexpr int kDesignDotsPerInch = 96;
constexpr float kTwipsPerInch = 1440.0f;
constexpr double kPointsPerInch = 72.0;
} // namespace

DeviceScale::DeviceScale(int dotsPerInch)
    : dotsPerInch_(dotsPerInch > 0 ? dotsPerInch : kDesignDotsPerInch) {}

float DeviceScale::TwipsPerPixel() const {
    return kTwipsPerInch / static_cast<float>(dotsPerInch_);
}

int DeviceScale::ToScreen(int skinPixels) const {
    return static_cast<int>(
        std::nearbyint(static_cast<double>(skinPixels) * dotsPerInch_ / kDesignDotsPerInch));
}

RECT DeviceScale::ToScreen(int x, int y, int width, int height) const {
    // Both edges are scaled, so neighbouring boxes stay neighbours at every scale.
    return RECT{ToScreen(x), ToScreen(y), ToScreen(x + width), ToScreen(y + height)};
}

int DeviceScale::FontHeight(double points) const {
    return -static_cast<int>(std::nearbyint(points * dotsPerInch_ / kPointsPerInch));
}

} // namespace win
