#pragma once
// Turns one outline table value into a window pixel coordinate at a given scale, offset and
// screen density: ((v * scale) * 15) / twipsPerPixel + offset, rounded to nearest, ties to even.

#include <cstdint>

namespace shape {

// Throws platform::RuntimeError on an invalid operation, a division by zero, an overflow or a
// result outside the 32-bit signed range.
std::int32_t ScaleVertex(std::int16_t value, float scale, std::int16_t offset, float twipsPerPixel);

} // namespace shape
