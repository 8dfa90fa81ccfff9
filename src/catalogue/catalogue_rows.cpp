#include "catalogue/catalogue_rows.h"

#include "catalogue/filter/fold_case.h"
#include "catalogue/filter/text_search.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace catalogue {
namespace {

// Blocks of text. A row too large to share a block well gets a block of its own.
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;
constexpr std::size_t kOwnBlockBytes = kBlockBytes / 4;
// How much text a search goes through between two calls of its pause.
constexpr std::ptrdiff_t kPieceBytes = 256 * 1024;

void appendVarint(std::string& out, std::size_t value) {
    while (value >= 0x80) {
        out.push_back(char((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(char(value));
}

std::size_t readVarint(const char*& at) {
    std::size_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        value |= std::size_t(byte & 0x7F) << shift;
        if (byte < 0x80) {
            return value;
        }
    }
}

// Where original and folded first differ at or after at; their size when they no longer do. Eight
// bytes are compared at a time, since most text has few capitals.
std::size_t nextDifference(std::string_view original, std::string_view folded, std::size_t at) {
    while (at + 8 <= original.size()) {
        std::uint64_t a = 0;
        std::uint64_t b = 0;
        std::memcpy(&a, original.data() + at, 8);
        std::memcpy(&b, folded.data() + at, 8);
        if (a != b) {
            break;
        }
        at += 8;
    }
    while (at < original.size() && original[at] == folded[at]) {
        ++at;
    }
    return at;
}

// Appends what turns folded back into original: nothing when they are equal; when they have the
// same length, each differing byte as its distance from the previous one and the original byte.
// False when the original must be kept whole instead; out may then hold a part record.
bool appendRestoreRecord(std::string_view original, std::string_view folded, std::string& out) {
    if (original.size() != folded.size()) {
        return false;
    }
    const std::size_t start = out.size();
    std::size_t previous = 0;
    for (std::size_t at = nextDifference(original, folded, 0); at < original.size();
         at = nextDifference(original, folded, at + 1)) {
        appendVarint(out, at - previous);
        out.push_back(original[at]);
        previous = at;
        if (out.size() - start >= original.size()) {
            return false;
        }
    }
    return true;
}

} // namespace

CatalogueRows::CatalogueRows(std::vector<std::string> columnNames)
    : columnNames_(std::move(columnNames)), cells_(columnNames_.size()) {}

char* CatalogueRows::reserve(std::size_t bytes) {
    if (bytes > kOwnBlockBytes) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(bytes));
        heldBytes_ += bytes;
        return blocks_.back().get();
    }
    if (shared_ == nullptr || sharedUsed_ + bytes > kBlockBytes) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockBytes));
        heldBytes_ += kBlockBytes;
        shared_ = blocks_.back().get();
        sharedUsed_ = 0;
    }
    char* start = shared_ + sharedUsed_;
    sharedUsed_ += bytes;
    return start;
}

// The header: per value its folded length plus one (0 for a null), then per value its restore
// record's length times two, plus one when the record is the original whole.
void CatalogueRows::appendRow(std::span<const std::optional<std::string_view>> values) {
    assert(values.size() == columnNames_.size());
    header_.clear();
    folded_.clear();
    restore_.clear();
    for (std::size_t column = 0; column < values.size(); ++column) {
        cells_[column].null = !values[column];
        cells_[column].folded = 0;
        if (values[column]) {
            textBytes_ += values[column]->size();
            const std::size_t foldedStart = folded_.size();
            filter::AppendFolded(*values[column], folded_);
            cells_[column].folded = folded_.size() - foldedStart;
        }
        appendVarint(header_, cells_[column].null ? 0 : cells_[column].folded + 1);
    }
    const char* folded = folded_.data();
    for (std::size_t column = 0; column < values.size(); ++column) {
        if (cells_[column].null) {
            appendVarint(header_, 0);
            continue;
        }
        const std::string_view original = *values[column];
        const std::size_t restoreStart = restore_.size();
        const bool whole = !appendRestoreRecord(
            original, std::string_view(folded, cells_[column].folded), restore_);
        if (whole) {
            restore_.resize(restoreStart);
            restore_.append(original);
        }
        appendVarint(header_, (restore_.size() - restoreStart) * 2 + (whole ? 1 : 0));
        folded += cells_[column].folded;
    }

    const std::size_t bytes = header_.size() + folded_.size() + restore_.size();
    char* out = reserve(bytes);
    if (runs_.empty() || runs_.back().end != out) {
        runs_.push_back({out, out + bytes, rowStarts_.size()});
    } else {
        runs_.back().end = out + bytes;
    }
    rowStarts_.push_back(out);
    for (const std::string* part : {&header_, &folded_, &restore_}) {
        if (!part->empty()) {
            std::memcpy(out, part->data(), part->size());
            out += part->size();
        }
    }
}

const char* CatalogueRows::readHeader(std::size_t row) const {
    const char* at = rowStarts_[row];
    for (Cell& cell : cells_) {
        const std::size_t length = readVarint(at);
        cell.null = length == 0;
        cell.folded = length == 0 ? 0 : length - 1;
    }
    for (Cell& cell : cells_) {
        const std::size_t record = readVarint(at);
        cell.restore = record / 2;
        cell.whole = record % 2 != 0;
    }
    return at;
}

void CatalogueRows::foldedRow(std::size_t row,
                              std::span<std::optional<std::string_view>> out) const {
    assert(row < rowCount() && out.size() == columnCount());
    const char* start = readHeader(row);
    for (std::size_t column = 0; column < out.size(); ++column) {
        const Cell& cell = cells_[column];
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
    for (const Cell& cell : cells_) {
        restore += cell.folded;
    }
    for (std::size_t other = 0; other < column; ++other) {
        folded += cells_[other].folded;
        restore += cells_[other].restore;
    }
    const Cell& cell = cells_[column];
    if (cell.null) {
        return std::nullopt;
    }
    if (cell.whole) {
        return std::string(restore, cell.restore);
    }
    std::string original(folded, cell.folded);
    const char* const end = restore + cell.restore;
    std::size_t at = 0;
    while (restore < end) {
        at += readVarint(restore);
        original[at] = *restore++;
    }
    return original;
}

std::size_t CatalogueRows::memoryBytes() const {
    return heldBytes_ + blocks_.capacity() * sizeof(blocks_[0]) +
           rowStarts_.capacity() * sizeof(rowStarts_[0]) + runs_.capacity() * sizeof(runs_[0]);
}

} // namespace catalogue
