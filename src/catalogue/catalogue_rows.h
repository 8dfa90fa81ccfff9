#pragma once
// The rows of a catalogue table kept compactly: each row's values in UTF-8 and, right after them,
// the same values case-folded for the filter, back to back in large shared blocks, with a few
// bytes of lengths per cell. Blocks are never moved once filled, so reading a large table never
// holds two copies of its text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

class CatalogueRows {
public:
    explicit CatalogueRows(std::vector<std::string> columnNames);

    const std::vector<std::string>& columnNames() const { return columnNames_; }
    std::size_t columnCount() const { return columnNames_.size(); }
    std::size_t rowCount() const { return rowStarts_.size(); }

    // Adds a row; values holds one value per column, nullopt for a null.
    void appendRow(std::span<const std::optional<std::string_view>> values);

    // The value of a cell as read, or nullopt for a null. row and column must be in range.
    std::optional<std::string_view> value(std::size_t row, std::size_t column) const;
    // The case-folded values of a row; out holds one entry per column.
    void foldedRow(std::size_t row, std::span<std::optional<std::string_view>> out) const;

    // Bytes of the values as read, and bytes of memory held altogether.
    std::size_t textBytes() const { return textBytes_; }
    std::size_t memoryBytes() const;

private:
    static constexpr std::uint32_t kNull = UINT32_MAX;

    char* reserve(std::size_t bytes);
    std::uint32_t cellLength(std::size_t row, std::size_t cell) const;
    const char* cellStart(std::size_t row, std::size_t cell) const;

    std::vector<std::string> columnNames_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* shared_ = nullptr;     // the block that small rows share
    std::size_t sharedUsed_ = 0; // bytes used in it
    std::size_t heldBytes_ = 0;  // bytes of all blocks
    std::vector<const char*> rowStarts_;
    // Per row: the length of each value, then of each folded value; kNull marks a null value.
    std::vector<std::uint32_t> lengths_;
    std::size_t textBytes_ = 0;
    std::vector<std::string> scratch_;
};

} // namespace catalogue
