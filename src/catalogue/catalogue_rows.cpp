#include "catalogue/catalogue_rows.h"

#include "catalogue/filter/fold_case.h"

#include <cassert>
#include <cstring>

namespace catalogue {
namespace {

// Blocks of text. A row too large to share a block well gets a block of its own.
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;
constexpr std::size_t kOwnBlockBytes = kBlockBytes / 4;

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

// What turns folded back into original: nothing when they are equal; when they have the same
// length, each differing byte as its distance from the previous one and the original byte;
// otherwise empty and false, meaning the original must be kept whole.
bool restoreRecord(std::string_view original, std::string_view folded, std::string& out) {
    out.clear();
    if (original.size() != folded.size()) {
        return false;
    }
    std::size_t previous = 0;
    for (std::size_t at = nextDifference(original, folded, 0); at < original.size();
         at = nextDifference(original, folded, at + 1)) {
        appendVarint(out, at - previous);
        out.push_back(original[at]);
        previous = at;
        if (out.size() >= original.size()) {
            return false;
        }
    }
    return true;
}

} // namespace

CatalogueRows::CatalogueRows(std::vector<std::string> columnNames)
    : columnNames_(std::move(columnNames)), folded_(columnNames_.size()),
      restore_(columnNames_.size()), restoreLengths_(columnNames_.size()) {}

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
        const auto& value = values[column];
        folded_[column].clear();
        restore_[column].clear();
        restoreLengths_[column] = 0;
        if (!value) {
            continue;
        }
        textBytes_ += value->size();
        folded_[column] = filter::FoldCase(*value);
        if (!restoreRecord(*value, folded_[column], restore_[column])) {
            restore_[column] = *value;
            restoreLengths_[column] = kWhole;
        }
        restoreLengths_[column] |= std::uint32_t(restore_[column].size());
        bytes += folded_[column].size() + restore_[column].size();
    }
    for (std::size_t column = 0; column < columns; ++column) {
        lengths_.push_back(values[column] ? std::uint32_t(folded_[column].size()) : kNull);
    }
    lengths_.insert(lengths_.end(), restoreLengths_.begin(), restoreLengths_.end());

    char* out = reserve(bytes);
    rowStarts_.push_back(out);
    for (const std::vector<std::string>* part : {&folded_, &restore_}) {
        for (const std::string& piece : *part) {
            if (!piece.empty()) {
                std::memcpy(out, piece.data(), piece.size());
                out += piece.size();
            }
        }
    }
}

const std::uint32_t* CatalogueRows::lengthsOf(std::size_t row) const {
    return lengths_.data() + row * 2 * columnNames_.size();
}

void CatalogueRows::foldedRow(std::size_t row,
                              std::span<std::optional<std::string_view>> out) const {
    assert(row < rowCount() && out.size() == columnCount());
    const std::uint32_t* lengths = lengthsOf(row);
    const char* start = rowStarts_[row];
    for (std::size_t column = 0; column < out.size(); ++column) {
        if (lengths[column] == kNull) {
            out[column] = std::nullopt;
            continue;
        }
        out[column] = std::string_view(start, lengths[column]);
        start += lengths[column];
    }
}

std::optional<std::string> CatalogueRows::value(std::size_t row, std::size_t column) const {
    assert(row < rowCount() && column < columnCount());
    const std::size_t columns = columnNames_.size();
    const std::uint32_t* lengths = lengthsOf(row);
    if (lengths[column] == kNull) {
        return std::nullopt;
    }
    const char* folded = rowStarts_[row];
    const char* restore = rowStarts_[row];
    for (std::size_t other = 0; other < columns; ++other) {
        const std::uint32_t length = lengths[other] == kNull ? 0 : lengths[other];
        folded += other < column ? length : 0;
        restore += length;
    }
    for (std::size_t other = 0; other < column; ++other) {
        restore += lengths[columns + other] & ~kWhole;
    }
    const std::uint32_t restoreLength = lengths[columns + column];
    if (restoreLength & kWhole) {
        return std::string(restore, restoreLength & ~kWhole);
    }
    std::string original(folded, lengths[column]);
    const char* const end = restore + restoreLength;
    std::size_t at = 0;
    while (restore < end) {
        at += readVarint(restore);
        original[at] = *restore++;
    }
    return original;
}

std::size_t CatalogueRows::memoryBytes() const {
    return heldBytes_ + blocks_.capacity() * sizeof(blocks_[0]) +
           rowStarts_.capacity() * sizeof(rowStarts_[0]) +
           lengths_.capacity() * sizeof(lengths_[0]);
}

} // namespace catalogue
