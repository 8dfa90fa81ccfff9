#pragma once
// Rows of nullable UTF-8 text kept compactly: all values back to back in one string, with the
// end of each value and a null flag per value. A catalogue of 100,000 rows costs little more
// than its text.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace reader {

class JetRows {
public:
    explicit JetRows(std::vector<std::string> columnNames);

    const std::vector<std::string>& columnNames() const { return columnNames_; }
    std::size_t columnCount() const { return columnNames_.size(); }
    std::size_t rowCount() const { return rowCount_; }

    // The value of a cell, or nullopt for a null. row and column must be in range.
    std::optional<std::string_view> value(std::size_t row, std::size_t column) const;

    // Adds a row; values holds one value per column.
    void appendRow(std::span<const std::optional<std::string_view>> values);

    // Makes room for that many rows and bytes of text, so that the text is never copied while
    // it grows. Room that stays unused costs address space, not memory.
    void reserve(std::size_t rows, std::size_t textBytes);
    // Bytes of text held, and bytes of memory reserved altogether.
    std::size_t textBytes() const { return text_.size(); }
    std::size_t memoryBytes() const;

private:
    std::vector<std::string> columnNames_;
    std::string text_;
    std::vector<std::size_t> ends_; // end of each cell in text_, row after row
    std::vector<bool> nulls_;
    std::size_t rowCount_ = 0;
};

} // namespace reader
