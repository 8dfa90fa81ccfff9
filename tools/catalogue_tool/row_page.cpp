#include "catalogue_tool/row_page.h"

#include <stdexcept>

namespace jet_writer {

namespace {
constexpr std::size_t freeSpaceOffset = 2;
constexpr std::size_t ownerOffset = 4;
constexpr std::size_t rowCountOffset = 12;
constexpr std::size_t rowOffsetSize = 2;
} // namespace

RowPage::RowPage(std::uint32_t owner) {
    page_.setU8(0, static_cast<std::uint8_t>(jet::PageType::Data));
    page_.setU8(1, 0x01);
    page_.setU32(ownerOffset, owner);
}

std::size_t RowPage::freeSpace() const {
    return top_ - jet::data_page::kJet4HeaderSize - rowOffsetSize * rowCount_;
}

bool RowPage::fits(std::size_t rowSize) const {
    return rowCount_ < jet::kMaxRowsPerPage && rowSize + rowOffsetSize <= freeSpace();
}

std::uint8_t RowPage::add(std::span<const std::uint8_t> row) {
    if (!fits(row.size())) {
        throw std::logic_error("row does not fit in the page");
    }
    top_ -= row.size();
    page_.setBytes(top_, row);
    page_.setU16(jet::data_page::kJet4HeaderSize + rowOffsetSize * rowCount_,
                 static_cast<std::uint16_t>(top_));
    return static_cast<std::uint8_t>(rowCount_++);
}

const Page& RowPage::page() {
    page_.setU16(freeSpaceOffset, static_cast<std::uint16_t>(freeSpace()));
    page_.setU16(rowCountOffset, static_cast<std::uint16_t>(rowCount_));
    return page_;
}

} // namespace jet_writer
