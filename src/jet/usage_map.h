#pragma once
// Usage maps: which pages a table (or one of its long-value columns) owns. The map is a row:
// either a bitmap over a run of pages, given inline, or a list of bitmap pages (type 0x05),
// each covering its own stretch of the file.

#include "jet/page_file.h"

#include <cstdint>
#include <vector>

namespace jet {

// The pages the map at this row pointer marks, in ascending order, each below the file's page
// count. Throws FormatError on damage.
std::vector<std::uint32_t> ReadUsageMap(const PageFile& file, std::uint32_t mapPointer);

} // namespace jet
