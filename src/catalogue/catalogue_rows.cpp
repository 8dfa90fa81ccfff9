#include "catalogue/catalogue_rows.h"

#include "catalogue/filter/text_search.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace catalogue {
namespace {

// Blocks of text: of 1 MiB in ordinary pages while the store is small, so that a small catalogue
// holds little more than its text; of one large page once it holds 16 MiB, when a fault for each
// small page would cost more than the last block's unused part. A row too large to share a block
// well gets a block of its own.
constexpr std::size_t kSmallBlockBytes = std::size_t(1) << 20;
constexpr std::size_t kLargeStoreBytes = std::size_t(16) << 20;

std::size_t blockBytes(std::size_t held) {
    return held >= kLargeStoreBytes ? sys::kLargePage : kSmallBlockBytes;
}
// How much text a search goes through between two calls of its pause.
constexpr std::ptrdiff_t kPieceBytes = 256 * 1024;

} // namespace

CatalogueRows::CatalogueRows(std::vector<std::string> columnNames)
    : CatalogueRows(std::move(columnNames), 0) {}

CatalogueRows::CatalogueRows(std::vector<std::string> columnNames, std::size_t expectedBytes)
    : columnNames_(std::move(columnNames)), expectedBytes_(expectedBytes),
      cells_(columnNames_.size()) {}

char* CatalogueRows::reserve(std::size_t bytes) {
    const std::size_t block = blockBytes(std::max(heldBytes_, expectedBytes_));
    if (bytes > block / 4) {
        blocks_.emplace_back(bytes);
        heldBytes_ += blocks_.back().size();
        return blocks_.back().data();
    }
    if (shared_ == nullptr || sharedUsed_ + bytes > sharedSize_) {
        blocks_.emplace_back(block);
        heldBytes_ += block;
        shared_ = blocks_.back().data();
        sharedSize_ = block;
        sharedUsed_ = 0;
    }
    char* start = shared_ + sharedUsed_;
    sharedUsed_ += bytes;
    return start;
}

void CatalogueRows::appendRow(std::span<const std::optional<std::string_view>> values) {
    assert(values.size() == columnCount());
    encoded_.clear();
    textBytes_ += encoder_.append(values, encoded_);
    place(encoded_);
}

bool CatalogueRows::appendEncodedRows(std::string_view encoded, std::size_t count) {
    // Checked whole first, so that a malformed piece adds nothing.
    rowSizes_.clear();
    std::size_t textBytes = 0;
    for (std::size_t at = 0; at < encoded.size();) {
        const auto row = CheckEncodedRow(encoded.substr(at), cells_);
        if (!row || rowSizes_.size() == count) {
            return false;
        }
        rowSizes_.push_back(row->bytes);
        at += row->bytes;
        textBytes += row->textBytes;
    }
    if (rowSizes_.size() != count) {
        return false;
    }
    std::size_t at = 0;
    for (const std::size_t bytes : rowSizes_) {
        place(encoded.substr(at, bytes));
        at += bytes;
    }
    textBytes_ += textBytes;
    return true;
}

void CatalogueRows::place(std::string_view row) {
    char* out = reserve(row.size());
    if (runs_.empty() || runs_.back().end != out) {
        runs_.push_back({out, out + row.size(), rowStarts_.size()});
    } else {
        runs_.back().end = out + row.size();
    }
    rowStarts_.push_back(out);
    std::memcpy(out, row.data(), row.size());
}

const char* CatalogueRows::readHeader(std::size_t row) const {
    return ReadEncodedHeader(rowStarts_[row], cells_);
}

void CatalogueRows::foldedRow(std::size_t row,
                              std::span<std::optional<std::string_view>> out) const {
    assert(row < rowCount() && out.size() == columnCount());
    const char* start = readHeader(row);
    for (std::size_t column = 0; column < out.size(); ++column) {
        const EncodedCell& cell = cells_[column];
        out[column] =
            cell.null ? std::nullopt : std::optional(std::string_view(start, cell.folded));
        start += cell.folded;
    }
}

// Whether the length bytes at at lie within the folded value of one of columns in row.
bool CatalogueRows::holdsAt(std::size_t row, const char* at, std::size_t length,
                            std::span<const std::size_t> columns) const {
    const char* start = readHeader(row);
    for (std::size_t column = 0; column < cells_.size(); ++column) {
        const char* end = start + cells_[column].folded;
        if (at < start) {
            return false;
        }
        if (!cells_[column].null && at + length <= end &&
            std::find(columns.begin(), columns.end(), column) != columns.end()) {
            return true;
        }
        start = end;
    }
    return false;
}

// The row among [from, end) of one run whose bytes hold at, from being at or before it. The row
// starts are walked in order, which the processor reads ahead of the walk: a search goes through
// them once, front to back, however many matches it finds.
std::size_t CatalogueRows::rowAt(const char* at, std::size_t from, std::size_t end) const {
    std::size_t row = from;
    while (row + 1 < end && rowStarts_[row + 1] <= at) {
        ++row;
    }
    return row;
}

void CatalogueRows::searchRun(std::size_t run, std::string_view text,
                              std::span<const std::size_t> columns, std::vector<std::uint32_t>& out,
                              const std::function<void()>& pause) const {
    const Run& bytes = runs_[run];
    const std::size_t endRow = run + 1 < runs_.size() ? runs_[run + 1].firstRow : rowCount();
    std::size_t row = bytes.firstRow;
    const char* at = bytes.begin;
    const char* pauseAt = at;
    while (at < bytes.end) {
        if (at >= pauseAt) {
            pause();
            pauseAt = bytes.end - at > kPieceBytes ? at + kPieceBytes : bytes.end;
        }
        // Only matches that start before pauseAt are looked for now.
        const std::size_t overlap = std::min(text.size() - 1, std::size_t(bytes.end - pauseAt));
        const char* found = filter::FindText(at, pauseAt + overlap, text);
        if (found == nullptr) {
            at = pauseAt;
            continue;
        }
        row = rowAt(found, row, endRow);
        if (!holdsAt(row, found, text.size(), columns)) {
            at = found + 1;
            continue;
        }
        out.push_back(std::uint32_t(row));
        if (++row == endRow) {
            return;
        }
        at = rowStarts_[row];
    }
}

void CatalogueRows::rowsHolding(std::string_view text, std::span<const std::size_t> columns,
                                std::vector<std::uint32_t>& out,
                                const std::function<void()>& pause) const {
    assert(!text.empty());
    for (std::size_t run = 0; run < runs_.size(); ++run) {
        searchRun(run, text, columns, out, pause);
    }
}

std::optional<std::string> CatalogueRows::value(std::size_t row, std::size_t column) const {
    assert(row < rowCount() && column < columnCount());
    const char* folded = readHeader(row);
    const char* restore = folded;
    for (const EncodedCell& cell : cells_) {
        restore += cell.folded;
    }
    for (std::size_t other = 0; other < column; ++other) {
        folded += cells_[other].folded;
        restore += cells_[other].restore;
    }
    const EncodedCell& cell = cells_[column];
    if (cell.null) {
        return std::nullopt;
    }
    return RestoredValue(std::string_view(folded, cell.folded),
                         std::string_view(restore, cell.restore), cell.whole);
}

std::size_t CatalogueRows::memoryBytes() const {
    return heldBytes_ + blocks_.capacity() * sizeof(blocks_[0]) +
           rowStarts_.capacity() * sizeof(rowStarts_[0]) + runs_.capacity() * sizeof(runs_[0]);
}

} // namespace catalogue
