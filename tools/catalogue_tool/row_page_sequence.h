#pragma once
// Pages of rows with one owner (a table, or a memo column's long values), filled in order: a
// row goes to the page being filled when it fits, otherwise to a new page. Readers go through
// a table's pages in increasing page order, so its rows keep the order in which they came.

#include "catalogue_tool/page_file.h"
#include "catalogue_tool/row_page.h"
#include "jet/little_endian.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace jet_writer {

class RowPageSequence {
public:
    // usefulRoom: the smallest row the owner can have; a page with less room left counts as
    // full in the free-space map.
    RowPageSequence(PageFile& file, std::uint32_t owner, std::size_t usefulRoom);

    // Adds a row and returns its row pointer.
    std::uint32_t add(const jet::Bytes& row);
    // Writes a row that fills a page on its own to a page allocated for it.
    void addAlone(std::uint32_t number, const jet::Bytes& row);
    // Writes the page still being filled; call once, after the last row.
    void finish();

    std::uint32_t rowCount() const { return rowCount_; }
    // The pages, and those with room left, in increasing order.
    const std::vector<std::uint32_t>& pages() const { return pages_; }
    const std::vector<std::uint32_t>& pagesWithFreeSpace() const { return pagesWithFreeSpace_; }

private:
    void closeOpenPage();

    PageFile& file_;
    std::uint32_t owner_;
    std::size_t usefulRoom_;
    std::optional<RowPage> open_;
    std::uint32_t openNumber_ = 0;
    std::uint32_t rowCount_ = 0;
    std::vector<std::uint32_t> pages_;
    std::vector<std::uint32_t> pagesWithFreeSpace_;
};

} // namespace jet_writer
