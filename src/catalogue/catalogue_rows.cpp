#include "catalogue/catalogue_rows.h"

#include "catalogue/filter/fold_case.h"

#include <cassert>
#include <cstring>

namespace catalogue {
namespace {

// Blocks of text. A row too large to share a block well gets a block of its own.
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;
constexpr std::size_t kOwnBlockBytes = kBlockBytes / 4;

} // namespace

CatalogueRows::CatalogueRows(std::vector<std::string> columnNames)
    : columnNames_(std::move(columnNames)), scratch_(columnNames_.size()) {}

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

void CatalogueRows::appendRow(std::span<const std::optional<std::string_view>> values) {
    assert(values.size() == columnNames_.size());
    const std::size_t columns = columnNames_.size();
    std::size_t bytes = 0;
    for (std::size_t column = 0; column < columns; ++column) {
        scratch_[column].clear();
        if (values[column]) {
            scratch_[column] = filter::FoldCase(*values[column]);
            bytes += values[column]->size() + scratch_[column].size();
        }
    }
    char* out = reserve(bytes);
    rowStarts_.push_back(out);
    for (std::size_t column = 0; column < columns; ++column) {
        const auto& value = values[column];
        lengths_.push_back(value ? std::uint32_t(value->size()) : kNull);
        if (value && !value->empty()) {
            std::memcpy(out, value->data(), value->size());
            out += value->size();
            textBytes_ += value->size();
        }
    }
    for (std::size_t column = 0; column < columns; ++column) {
        const std::string& folded = scratch_[column];
        lengths_.push_back(values[column] ? std::uint32_t(folded.size()) : kNull);
        if (!folded.empty()) {
            std::memcpy(out, folded.data(), folded.size());
            out += folded.size();
        }
    }
}

std::uint32_t CatalogueRows::cellLength(std::size_t row, std::size_t cell) const {
    return lengths_[row * 2 * columnNames_.size() + cell];
}

const char* CatalogueRows::cellStart(std::size_t row, std::size_t cell) const {
    const std::uint32_t* lengths = lengths_.data() + row * 2 * columnNames_.size();
    const char* start = rowStarts_[row];
    for (std::size_t before = 0; before < cell; ++before) {
        start += lengths[before] == kNull ? 0 : lengths[before];
    }
    return start;
}

std::optional<std::string_view> CatalogueRows::value(std::size_t row, std::size_t column) const {
    assert(row < rowCount() && column < columnCount());
    const std::uint32_t length = cellLength(row, column);
    if (length == kNull) {
        return std::nullopt;
    }
    return std::string_view(cellStart(row, column), length);
}

void CatalogueRows::foldedRow(std::size_t row,
                              std::span<std::optional<std::string_view>> out) const {
    assert(row < rowCount() && out.size() == columnCount());
    const std::size_t columns = columnNames_.size();
    const std::uint32_t* lengths = lengths_.data() + row * 2 * columns;
    const char* start = rowStarts_[row];
    for (std::size_t column = 0; column < columns; ++column) {
        start += lengths[column] == kNull ? 0 : lengths[column];
    }
    for (std::size_t column = 0; column < columns; ++column) {
        const std::uint32_t length = lengths[columns + column];
        if (length == kNull) {
            out[column] = std::nullopt;
            continue;
        }
        out[column] = std::string_view(start, length);
        start += length;
    }
}

std::size_t CatalogueRows::memoryBytes() const {
    return heldBytes_ + blocks_.capacity() * sizeof(blocks_[0]) +
           rowStarts_.capacity() * sizeof(rowStarts_[0]) +
           lengths_.capacity() * sizeof(lengths_[0]);
}

} // namespace catalogue
