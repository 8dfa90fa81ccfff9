#pragma once
// Builds the window region: the outer outline minus the hole, each vertex scaled by the vertex
// formula at the screen's density. The finished region's handle is left in windowRgn and
// returned. On a run-time error the regions already made stay and windowRgn keeps its value.

#include "platform/regions.h"

#include <cstdint>
#include <functional>

namespace shape {

// The four table lookups the builder walks; by default the device's own tables.
struct OutlineLookups {
    using Lookup = std::function<std::int16_t(std::int16_t&)>;
    Lookup outlineX, outlineY, holeX, holeY;
};
OutlineLookups DeviceOutlines();

platform::HRGN MakeRegion(float& scaleX, float& scaleY, std::int16_t& offsetX,
                          std::int16_t& offsetY, platform::HRGN& windowRgn,
                          const OutlineLookups& outlines = DeviceOutlines());

} // namespace shape
