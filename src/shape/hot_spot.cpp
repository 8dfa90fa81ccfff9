#include "shape/hot_spot.h"

#include "platform/runtime_error.h"
#include "platform/screen.h"

#include <cmath>
#include <cstdint>

namespace shape {
namespace {

std::int32_t roundToInt32(float value) {
    const double rounded = std::nearbyint(double(value));
    if (std::isnan(rounded) || rounded < double(INT32_MIN) || rounded > double(INT32_MAX)) {
        throw platform::RuntimeError(platform::RuntimeError::Overflow, "Dépassement de capacité");
    }
    return std::int32_t(rounded);
}

} // namespace

int TwipsToPixel(float twips, float twipsPerPixel) {
    const std::int32_t position = roundToInt32(twips);
    const std::int32_t density = roundToInt32(twipsPerPixel);
    if (density == 0) {
        throw platform::RuntimeError(platform::RuntimeError::DivisionByZero, "Division par zéro");
    }
    if (density == -1 && position == INT32_MIN) {
        throw platform::RuntimeError(platform::RuntimeError::Overflow, "Dépassement de capacité");
    }
    return position / density;
}

bool InHotSpot(platform::HRGN spot, float X, float Y) {
    const int x = TwipsToPixel(X, platform::TwipsPerPixelX());
    const int y = TwipsToPixel(Y, platform::TwipsPerPixelY());
    return platform::PtInRegion(spot, x, y) != 0;
}

} // namespace shape
