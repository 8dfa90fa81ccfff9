#pragma once
// The two constant polygons of the device painted on the skin: its outer outline, which bounds
// the window, and the gap inside the cable loop, which is cut out of it. Skin pixels, origin at
// the top-left pixel. Any index outside a table gives 0.

#include <cstdint>

namespace shape {

inline constexpr int kOutlineVertexCount = 132;
inline constexpr int kHoleVertexCount = 21;

std::int16_t OutlineX(std::int16_t index);
std::int16_t OutlineY(std::int16_t index);
std::int16_t HoleX(std::int16_t index);
std::int16_t HoleY(std::int16_t index);

} // namespace shape
