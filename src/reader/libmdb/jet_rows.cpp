#include "reader/libmdb/jet_rows.h"

#include <cassert>

namespace reader {

JetRows::JetRows(std::vector<std::string> columnNames) : columnNames_(std::move(columnNames)) {}

std::optional<std::string_view> JetRows::value(std::size_t row, std::size_t column) const {
    const std::size_t cell = row * columnNames_.size() + column;
    assert(column < columnNames_.size() && cell < ends_.size());
    if (nulls_[cell]) {
        return std::nullopt;
    }
    const std::size_t begin = cell == 0 ? 0 : ends_[cell - 1];
    return std::string_view(text_).substr(begin, ends_[cell] - begin);
}

void JetRows::appendRow(std::span<const std::optional<std::string_view>> values) {
    assert(values.size() == columnNames_.size());
    for (const auto& value : values) {
        if (value) {
            text_.append(*value);
        }
        ends_.push_back(text_.size());
        nulls_.push_back(!value);
    }
    ++rowCount_;
}

void JetRows::reserve(std::size_t rows, std::size_t textBytes) {
    text_.reserve(textBytes);
    ends_.reserve(rows * columnNames_.size());
    nulls_.reserve(rows * columnNames_.size());
}

std::size_t JetRows::memoryBytes() const {
    return text_.capacity() + ends_.capacity() * sizeof(std::size_t) + nulls_.capacity() / 8;
}

} // namespace reader
