#pragma once
// The rows of a catalogue table kept compactly: each row encoded as row_encoding.h says (its
// values folded, with what restores the originals), in large shared blocks which are never moved
// once filled. Keeping the lengths beside the text lets a search through the whole text tell
// which value holds what it found without reaching into memory far away.

#include "catalogue/row_encoding.h"
#include "system/page_block.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

class CatalogueRows {
public:
    explicit CatalogueRows(std::vector<std::string> columnNames);
    // Rows expected to fill about that many bytes: a large store takes large pages from the
    // start.
    CatalogueRows(std::vector<std::string> columnNames, std::size_t expectedBytes);

    const std::vector<std::string>& columnNames() const { return columnNames_; }
    std::size_t columnCount() const { return columnNames_.size(); }
    std::size_t rowCount() const { return rowStarts_.size(); }

    // Adds a row; values holds one value per column, nullopt for a null.
    void appendRow(std::span<const std::optional<std::string_view>> values);
    // Adds rows already encoded, count of them back to back, as a writer that may be wrong gave
    // them. False, with none of them added, when they are malformed or not count rows exactly.
    bool appendEncodedRows(std::string_view encoded, std::size_t count);

    // The value of a cell as read, or nullopt for a null. row and column must be in range.
    std::optional<std::string> value(std::size_t row, std::size_t column) const;
    // The case-folded values of a row; out holds one entry per column.
    void foldedRow(std::size_t row, std::span<std::optional<std::string_view>> out) const;
    // Appends to out, in ascending order, the rows in which text lies within the folded value of
    // one of columns. The rows' bytes are searched in place, front to back; pause is called
    // between pieces of a few hundred kilobytes.
    void rowsHolding(std::string_view text, std::span<const std::size_t> columns,
                     std::vector<std::uint32_t>& out, const std::function<void()>& pause) const;

    // Bytes of the values as read, and bytes of memory held altogether.
    std::size_t textBytes() const { return textBytes_; }
    std::size_t memoryBytes() const;

private:
    // Rows whose bytes lie back to back, in row order: a row with a block of its own, or the
    // first row of a new block, starts a new run.
    struct Run {
        const char* begin;
        const char* end;
        std::size_t firstRow;
    };
    char* reserve(std::size_t bytes);
    void place(std::string_view row);
    // Reads the header of a row into cells_ and answers where its folded values start.
    const char* readHeader(std::size_t row) const;
    bool holdsAt(std::size_t row, const char* at, std::size_t length,
                 std::span<const std::size_t> columns) const;
    std::size_t rowAt(const char* at, std::size_t from, std::size_t end) const;
    void searchRun(std::size_t run, std::string_view text, std::span<const std::size_t> columns,
                   std::vector<std::uint32_t>& out, const std::function<void()>& pause) const;

    std::vector<std::string> columnNames_;
    std::vector<sys::PageBlock> blocks_;
    char* shared_ = nullptr;     // the block that small rows share
    std::size_t sharedSize_ = 0; // its size
    std::size_t sharedUsed_ = 0; // bytes used in it
    std::size_t heldBytes_ = 0;  // bytes of all blocks
    std::size_t expectedBytes_ = 0;
    std::vector<const char*, sys::PageAllocator<const char*>> rowStarts_;
    std::vector<Run> runs_;
    std::size_t textBytes_ = 0;
    mutable std::vector<EncodedCell> cells_; // scratch for reading a header
    RowEncoder encoder_;
    std::string encoded_;               // scratch for appendRow
    std::vector<std::size_t> rowSizes_; // scratch for appendEncodedRows
};

} // namespace catalogue
