#include "jet/data_page.h"

namespace jet {

DataPage::DataPage(const PageFile& file, std::uint32_t number)
    : DataPage(file, number, file.Page(number)) {}

DataPage::DataPage(const PageFile& file, std::uint32_t number, ByteSpan copy)
    : file_(file), page_(file.CheckPageOfType(number, copy, PageType::Data, "une ligne")),
      owner_(LoadU32(page_, data_page::kOwnerOffset)),
      rowCount_(LoadU16(page_, file.layout().dataRowCountOffset)) {
    const std::size_t tableStart = file.layout().dataRowCountOffset + 2;
    if (!Fits(page_.size(), tableStart, 2 * rowCount_) || rowCount_ > kMaxRowsPerPage) {
        throw FormatError::Damaged("une page de données annonce trop de lignes");
    }
}

std::uint16_t DataPage::Entry(std::size_t index) const {
    return LoadU16(page_, file_.layout().dataRowCountOffset + 2 + 2 * index);
}

ByteSpan DataPage::Bytes(std::size_t index) const {
    const std::size_t start = Entry(index) & data_page::kOffsetMask;
    const std::size_t end =
        index == 0 ? page_.size() : std::size_t(Entry(index - 1) & data_page::kOffsetMask);
    const std::size_t tableEnd = file_.layout().dataRowCountOffset + 2 + 2 * rowCount_;
    if (start < tableEnd || start > end || end > page_.size()) {
        throw FormatError::Damaged("une ligne déborde de sa page");
    }
    return page_.subspan(start, end - start);
}

RowSlot DataPage::Row(std::size_t index) const {
    const std::uint16_t entry = Entry(index);
    if ((entry & data_page::kDeletedRow) != 0) {
        return {RowSlot::State::Deleted, {}};
    }
    const RowSlot::State state =
        (entry & data_page::kOverflowRow) != 0 ? RowSlot::State::Overflow : RowSlot::State::Present;
    return {state, Bytes(index)};
}

ByteSpan DataPage::MovedRowBytes(std::size_t index) const {
    return Bytes(index);
}

} // namespace jet
