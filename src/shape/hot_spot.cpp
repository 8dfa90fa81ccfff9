#include "shape/hot_spot.h"

#include "shape/runtime_error.h"

#include <cmath>
#include <cstdint>

namespace shape {
namespace {

std::int32_t roundToInt32(float value) {
    const double rounded = std::nearbyint(double(value));
    if (std::isnan(rounded) || rounded < double(INT32_MIN) || rounded > double(INT32_MAX)) {
        throw RuntimeError(RuntimeError::Overflow, "Dépassement de capacité");
    }
    return std::int32_t(rounded);
}

} // namespace

int TwipsToPixel(float twips, float twipsPerPixel) {
    const std::int32_t position = roundToInt32(twips);
    const std::int32_t density = roundToInt32(twipsPerPixel);
    if (density == 0) {
        throw RuntimeError(RuntimeError::DivisionByZero, "Division par zéro");
    }
    if (density == -1 && position == INT32_MIN) {
        throw RuntimeError(RuntimeError::Overflow, "Dépassement de capacité");
    }
    return position / density;
}

} // namespace shape
