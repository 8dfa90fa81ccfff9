#pragma once
// Usage maps: bitmaps of pages, kept as 69-byte records in rows of a data page. A table has
// one for the pages it owns and one for those with free space; each memo column has the same
// pair for its long-value pages; page 1 holds the file's own map, of pages free for reuse.
//
// A map whose pages all lie within 512 pages is stored inline (type 0: first page, then 64
// bytes of bits). A wider one (type 1) lists up to 17 bitmap pages, the n-th covering the
// 32,736 pages from n * 32,736; those pages are allocated and written here.

#include "catalogue_tool/page_file.h"
#include "jet/little_endian.h"

#include <cstdint>
#include <vector>

namespace jet_writer {

inline constexpr std::size_t usageMapRecordSize = 69;

// The map of these pages (in increasing order).
jet::Bytes UsageMapRecord(const std::vector<std::uint32_t>& pages, PageFile& file);

// The file's own map, written last: every page of the file is in use, the pages after its
// end are free.
jet::Bytes GlobalUsageMapRecord(PageFile& file);

} // namespace jet_writer
