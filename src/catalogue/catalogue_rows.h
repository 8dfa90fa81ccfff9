#pragma once
// The rows of a catalogue table kept compactly. Filters compare case-folded text, and the window
// shows the text as read; keeping both would double the memory. So each value is kept folded,
// with what it takes to restore the original: nothing when folding changed nothing, the few bytes
// that differ when it kept the length (the usual case: a capital here and there), or the original
// whole otherwise. A row's values lie back to back in large shared blocks, which are never moved
// once filled, with a few bytes of lengths per value.

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
    std::optional<std::string> value(std::size_t row, std::size_t column) const;
    // The case-folded values of a row; out holds one entry per column.
    void foldedRow(std::size_t row, std::span<std::optional<std::string_view>> out) const;

    // Bytes of the values as read, and bytes of memory held altogether.
    std::size_t textBytes() const { return textBytes_; }
    std::size_t memoryBytes() const;

private:
    static constexpr std::uint32_t kNull = UINT32_MAX;
    // Marks a restore record that holds the original whole.
    static constexpr std::uint32_t kWhole = std::uint32_t(1) << 31;

    char* reserve(std::size_t bytes);
    const std::uint32_t* lengthsOf(std::size_t row) const;

    std::vector<std::string> columnNames_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* shared_ = nullptr;     // the block that small rows share
    std::size_t sharedUsed_ = 0; // bytes used in it
    std::size_t heldBytes_ = 0;  // bytes of all blocks
    std::vector<const char*> rowStarts_;
    // Per row: the length of each folded value (kNull for a null), then of each restore record
    // (with kWhole when it is the original itself). The folded values come first in the row's
    // bytes, then the restore records.
    std::vector<std::uint32_t> lengths_;
    std::size_t textBytes_ = 0;
    std::vector<std::string> folded_;           // scratch for appendRow
    std::vector<std::string> restore_;          // scratch for appendRow
    std::vector<std::uint32_t> restoreLengths_; // scratch for appendRow
};

} // namespace catalogue
