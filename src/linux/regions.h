#pragma once
// Region handles in the manner of the classic GDI region calls: a region is known by a
// 32-bit handle, creation failures give handle 0, and callers never test the results.

#include "app/runtime.h"

#include <QRegion>
#include <cstdint>
#include <optional>

namespace platform {

using app::HRGN;
using app::POINTAPI;

HRGN CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
// The ellipse inscribed in the box; right and bottom are exclusive.
HRGN CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom);
HRGN CreatePolygonRgn(const POINTAPI* points, std::int32_t count, std::int32_t fillMode);
// Sets dest to src1 combined with src2 (kRgnCopy: to src1); returns 0 for an unknown handle or
// mode, nonzero otherwise.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
std::int32_t PtInRegion(HRGN region, std::int32_t x, std::int32_t y);
std::int32_t DeleteObject(HRGN region);

// The region behind a handle, or nothing for 0 and unknown handles.
std::optional<QRegion> RegionOf(HRGN region);
// Removes the handle from the table and gives its region to the caller (a window that takes
// ownership of it).
std::optional<QRegion> TakeRegion(HRGN region);
// How many handles are alive; lets tests see that temporary regions are released.
int LiveRegionCount();

} // namespace platform
