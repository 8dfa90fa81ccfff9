#include "jet/row_layout.h"

namespace jet {

RowLayout::RowLayout(const PageFile& file, const TableDefinition& table)
    : table_(table), jet3_(file.isJet3()) {}

RowLayout::Row::Row(const RowLayout& layout, ByteSpan bytes)
    : layout_(layout), bytes_(bytes), columnCount_(0), nullMaskStart_(0), variableCount_(0),
      offsetsEnd_(0), jumpCount_(0), variableDataStart_(0) {
    const bool jet3 = layout.jet3_;
    const std::size_t countSize = jet3 ? 1 : 2;
    columnCount_ = jet3 ? LoadU8(bytes, 0) : LoadU16(bytes, 0);
    const std::size_t maskSize = (columnCount_ + 7) / 8;
    if (maskSize + countSize > bytes.size()) {
        throw FormatError::Damaged("une ligne est plus courte que sa structure");
    }
    nullMaskStart_ = bytes.size() - maskSize;
    variableDataStart_ = countSize;
    if (layout.table_.variableColumnCount == 0) {
        offsetsEnd_ = nullMaskStart_;
        return;
    }
    if (nullMaskStart_ < 2 * countSize) {
        throw FormatError::Damaged("une ligne est plus courte que sa structure");
    }
    offsetsEnd_ = nullMaskStart_ - countSize;
    variableCount_ = jet3 ? LoadU8(bytes, offsetsEnd_) : LoadU16(bytes, offsetsEnd_);
    if (jet3) {
        jumpCount_ = (bytes.size() - 1) / 256;
    }
    // The offsets and the end of the data, then the jump table: all inside the row.
    if ((variableCount_ + 1) * countSize + jumpCount_ + countSize > offsetsEnd_) {
        throw FormatError::Damaged("la table des champs d'une ligne déborde");
    }
}

std::size_t RowLayout::Row::VariableOffset(std::size_t index) const {
    if (!layout_.jet3_) {
        return LoadU16(bytes_, offsetsEnd_ - 2 * (index + 1));
    }
    const std::size_t tableEnd = offsetsEnd_ - jumpCount_;
    std::size_t offset = LoadU8(bytes_, tableEnd - (index + 1));
    for (std::size_t j = 0; j < jumpCount_; ++j) {
        if (LoadU8(bytes_, offsetsEnd_ - 1 - j) <= index) {
            offset += 256;
        }
    }
    return offset;
}

FieldBytes RowLayout::Row::Field(std::size_t columnIndex) const {
    const Column& column = layout_.table_.columns[columnIndex];
    if (column.number >= columnCount_) {
        return {true, {}, false}; // a column added after this row was written
    }
    const bool bit = (bytes_[nullMaskStart_ + column.number / 8] >> (column.number % 8) & 1) != 0;
    if (column.type == ColumnType::Boolean) {
        return {false, {}, bit};
    }
    if (!bit) {
        return {true, {}, bit};
    }
    const std::size_t countSize = layout_.jet3_ ? 1 : 2;
    if (column.fixed) {
        const std::size_t start = countSize + column.fixedOffset;
        if (!Fits(nullMaskStart_, start, column.length)) {
            throw FormatError::Damaged("un champ fixe déborde de sa ligne");
        }
        return {false, bytes_.subspan(start, column.length), bit};
    }
    if (column.variableIndex >= variableCount_) {
        return {true, {}, bit};
    }
    const std::size_t start = VariableOffset(column.variableIndex);
    const std::size_t end = VariableOffset(column.variableIndex + 1);
    const std::size_t limit = offsetsEnd_ - (variableCount_ + 1) * countSize - jumpCount_;
    if (start < variableDataStart_ || start > end || end > limit) {
        throw FormatError::Damaged("un champ variable déborde de sa ligne");
    }
    return {false, bytes_.subspan(start, end - start), bit};
}

} // namespace jet
