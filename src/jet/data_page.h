#pragma once
// Data pages: a table of row offsets after the header, rows stored from the page's end
// downwards, each row ending where the one before it starts.

#include "jet/page_file.h"

#include <cstdint>

namespace jet {

struct RowSlot {
    enum class State { Present, Deleted, Overflow };
    State state;
    ByteSpan bytes; // the row (or, for an overflow row, the pointer to where it moved)
};

class DataPage {
public:
    // The data page at this number; damage unless it is one, with a sound row table.
    DataPage(const PageFile& file, std::uint32_t number);
    // The same from a copy of the page that the caller read itself, which must outlive this.
    DataPage(const PageFile& file, std::uint32_t number, ByteSpan copy);

    std::uint32_t owner() const { return owner_; }
    std::size_t rowCount() const { return rowCount_; }
    // Row `index`, bounds checked against the page and the row before it. A deleted row's
    // bytes are not looked at.
    RowSlot Row(std::size_t index) const;
    // The bytes of row `index` whatever its flags: a row moved from another page is flagged as
    // deleted on its new page, where only the pointer left behind leads to it.
    ByteSpan MovedRowBytes(std::size_t index) const;

private:
    std::uint16_t Entry(std::size_t index) const;
    ByteSpan Bytes(std::size_t index) const;

    const PageFile& file_;
    ByteSpan page_;
    std::uint32_t owner_;
    std::size_t rowCount_;
};

} // namespace jet
