#pragma once
// A page of rows: table data, long values and usage maps all share this layout. The header
// holds the page type, the free space, the owner (a table definition page, or "LVAL") and the
// row count, followed by each row's offset; rows are stacked from the end of the page towards
// the header, each ending where the previous one starts.

#include "catalogue_tool/page.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace jet_writer {

class RowPage {
public:
    explicit RowPage(std::uint32_t owner);

    bool fits(std::size_t rowSize) const;
    // Adds a row that fits and returns its number on the page.
    std::uint8_t add(std::span<const std::uint8_t> row);

    std::size_t rowCount() const { return rowCount_; }
    std::size_t freeSpace() const;
    bool empty() const { return rowCount_ == 0; }
    const Page& page();

private:
    Page page_;
    std::size_t rowCount_ = 0;
    std::size_t top_ = jet::kJet4PageSize; // offset of the lowest row so far
};

} // namespace jet_writer
