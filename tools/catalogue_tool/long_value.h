#pragma once
// Memo values. A row holds a 12-byte field for each: the value's length in bytes (three bytes)
// and a kind (one byte), a row pointer, and four unused bytes. Small values follow the field
// in the row itself; larger ones go to long-value pages ("LVAL" in the page header), as one
// record when they fit in a page, otherwise as a chain of records each starting with the
// pointer to the next one (0 on the last).

#include "catalogue_tool/row_page_sequence.h"
#include "jet/little_endian.h"

#include <cstdint>
#include <vector>

namespace jet_writer {

// Longest value kept in the row, in bytes.
inline constexpr std::size_t inlineMemoLimit = 1024;
// Longest value kept as one record of a long-value page.
inline constexpr std::size_t singleRecordLimit = jet::data_page::kJet4MaxRowSize;
// jet::Bytes of a value that each record of a chain holds.
inline constexpr std::size_t chainChunkSize = jet::data_page::kJet4MaxRowSize - 4;

class LongValueWriter {
public:
    explicit LongValueWriter(PageFile& file)
        : file_(file), records_(file, jet::data_page::kLongValueOwner, 1) {}

    // Stores a value (at most 0xFFFFFF bytes) and returns the field for the row.
    jet::Bytes store(const jet::Bytes& value);
    // Writes the page still being filled; call once, after the last value.
    void finish() { records_.finish(); }

    // The long-value pages, and those with room left, in increasing order.
    const std::vector<std::uint32_t>& pages() const { return records_.pages(); }
    const std::vector<std::uint32_t>& pagesWithFreeSpace() const {
        return records_.pagesWithFreeSpace();
    }

private:
    std::uint32_t storeChain(const jet::Bytes& value);

    PageFile& file_;
    RowPageSequence records_;
};

} // namespace jet_writer
