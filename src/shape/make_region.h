#pragma once
// Builds the window region: the outer outline minus the hole, each vertex scaled by the vertex
// formula at the screen's density. The finished region's handle is left in windowRgn and
// returned. On a run-time error the regions already made stay and windowRgn keeps its value.

#include "platform/regions.h"

#include <cstdint>

namespace shape {

platform::HRGN MakeRegion(float& scaleX, float& scaleY, std::int16_t& offsetX,
                          std::int16_t& offsetY, platform::HRGN& windowRgn);

} // namespace shape
