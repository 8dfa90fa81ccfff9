#include "catalogue/row_encoding.h"

#include <cstdint>
#include <cstring>

namespace catalogue {
namespace {

// A length fits in this many 7-bit groups; a number written longer is malformed.
constexpr int kMaxVarintBytes = 9;

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

// readVarint for bytes that may be wrong: false when the number runs past end or is too long.
bool readCheckedVarint(const char*& at, const char* end, std::size_t& value) {
    value = 0;
    for (int shift = 0; shift < 7 * kMaxVarintBytes; shift += 7) {
        if (at == end) {
            return false;
        }
        const auto byte = static_cast<unsigned char>(*at++);
        value |= std::size_t(byte & 0x7F) << shift;
        if (byte < 0x80) {
            return true;
        }
    }
    return false;
}

// Appends the record of the bytes at these offsets of original. False when the original must be
// kept whole instead, the record being no smaller; out may then hold a part record.
bool appendRestoreRecord(std::string_view original, std::span<const std::size_t> changed,
                         std::string& out) {
    if (2 * changed.size() >= original.size()) {
        return false;
    }
    const std::size_t start = out.size();
    std::size_t previous = 0;
    for (const std::size_t at : changed) {
        appendVarint(out, at - previous);
        out.push_back(original[at]);
        previous = at;
        if (out.size() - start >= original.size()) {
            return false;
        }
    }
    return true;
}

// Whether a record that is not whole stays inside a folded value of that length.
bool recordFits(const char* at, const char* end, std::size_t foldedLength) {
    std::size_t position = 0;
    for (bool first = true; at < end; first = false) {
        std::size_t distance = 0;
        if (!readCheckedVarint(at, end, distance) || at == end) {
            return false;
        }
        // The first difference may lie at 0, each later one lies past the one before; all lie
        // inside the value.
        if ((!first && distance == 0) || distance >= foldedLength - position) {
            return false;
        }
        position += distance;
        ++at; // the original byte
    }
    return true;
}

} // namespace

std::size_t RowEncoder::append(std::span<const std::optional<std::string_view>> values,
                               std::string& out) {
    cells_.resize(values.size());
    for (std::size_t column = 0; column < values.size(); ++column) {
        cells_[column] = values[column] ? std::optional(CellText{*values[column]}) : std::nullopt;
    }
    return append(cells_, out);
}

std::string_view RowEncoder::fold(CellText value, char* to, filter::FoldedText& folded) {
    changed_.clear();
    if (!value.utf16) {
        folded = filter::FoldInto(value.bytes, to, changed_);
        return value.bytes;
    }
    // Kept at its largest size, so that it is never filled with zeros again.
    if (original_.size() < filter::Utf16FoldRoom(value.bytes.size())) {
        original_.resize(filter::Utf16FoldRoom(value.bytes.size()));
    }
    const filter::Utf16Fold fold =
        filter::FoldUtf16Into(value.bytes, original_.data(), to, changed_);
    folded = fold.folded;
    return {original_.data(), std::size_t(fold.originalEnd - original_.data())};
}

char* RowEncoder::foldingRoom(std::span<const std::optional<CellText>> values) {
    std::size_t room = 0;
    for (const auto& value : values) {
        room += !value         ? 0
                : value->utf16 ? filter::Utf16FoldRoom(value->bytes.size())
                               : filter::FoldedRoom(value->bytes.size());
    }
    // Kept at its largest size too.
    if (folded_.size() < room) {
        folded_.resize(room);
    }
    return folded_.data();
}

void RowEncoder::fold(std::span<const std::optional<CellText>> values,
                      std::span<std::optional<std::string_view>> folded) {
    fold(values, folded, std::vector<bool>(values.size(), true));
}

void RowEncoder::fold(std::span<const std::optional<CellText>> values,
                      std::span<std::optional<std::string_view>> folded,
                      const std::vector<bool>& wanted) {
    char* to = foldingRoom(values);
    for (std::size_t column = 0; column < values.size(); ++column) {
        if (!values[column] || !wanted[column]) {
            folded[column] = std::nullopt;
            continue;
        }
        const CellText& value = *values[column];
        changed_.clear();
        char* const end = value.utf16 ? filter::FoldUtf16(value.bytes, to)
                                      : filter::FoldInto(value.bytes, to, changed_).end;
        folded[column] = std::string_view(to, std::size_t(end - to));
        to = end;
    }
}

std::size_t RowEncoder::append(std::span<const std::optional<CellText>> values, std::string& out) {
    foldedLengths_.resize(values.size());
    restoreLengths_.resize(values.size());
    char* folded = foldingRoom(values);
    restore_.clear();
    std::size_t textBytes = 0;
    for (std::size_t column = 0; column < values.size(); ++column) {
        if (!values[column]) {
            continue;
        }
        filter::FoldedText text{};
        const std::string_view original = fold(*values[column], folded, text);
        textBytes += original.size();
        foldedLengths_[column] = std::size_t(text.end - folded);
        folded = text.end;
        const std::size_t restoreStart = restore_.size();
        const bool whole = !text.sameLengths || !appendRestoreRecord(original, changed_, restore_);
        if (whole) {
            restore_.resize(restoreStart);
            restore_.append(original);
        }
        restoreLengths_[column] = (restore_.size() - restoreStart) * 2 + (whole ? 1 : 0);
    }
    header_.clear();
    for (std::size_t column = 0; column < values.size(); ++column) {
        appendVarint(header_, values[column] ? foldedLengths_[column] + 1 : 0);
    }
    for (std::size_t column = 0; column < values.size(); ++column) {
        appendVarint(header_, values[column] ? restoreLengths_[column] : 0);
    }
    out.append(header_);
    out.append(folded_.data(), std::size_t(folded - folded_.data()));
    out.append(restore_);
    return textBytes;
}

const char* ReadEncodedHeader(const char* at, std::span<EncodedCell> cells) {
    for (EncodedCell& cell : cells) {
        const std::size_t length = readVarint(at);
        cell.null = length == 0;
        cell.folded = length == 0 ? 0 : length - 1;
    }
    for (EncodedCell& cell : cells) {
        const std::size_t record = readVarint(at);
        cell.restore = record / 2;
        cell.whole = record % 2 != 0;
    }
    return at;
}

std::string RestoredValue(std::string_view folded, std::string_view record, bool whole) {
    if (whole) {
        return std::string(record);
    }
    std::string original(folded);
    const char* at = record.data();
    const char* const end = at + record.size();
    std::size_t position = 0;
    while (at < end) {
        position += readVarint(at);
        original[position] = *at++;
    }
    return original;
}

std::optional<EncodedRowSize> CheckEncodedRow(std::string_view bytes,
                                              std::span<EncodedCell> cells) {
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    for (EncodedCell& cell : cells) {
        std::size_t length = 0;
        if (!readCheckedVarint(at, end, length)) {
            return std::nullopt;
        }
        cell.null = length == 0;
        cell.folded = length == 0 ? 0 : length - 1;
    }
    for (EncodedCell& cell : cells) {
        std::size_t record = 0;
        if (!readCheckedVarint(at, end, record) || (cell.null && record != 0)) {
            return std::nullopt;
        }
        cell.restore = record / 2;
        cell.whole = record % 2 != 0;
    }
    std::size_t textBytes = 0;
    const char* folded = at;
    for (const EncodedCell& cell : cells) {
        if (std::size_t(end - folded) < cell.folded) {
            return std::nullopt;
        }
        folded += cell.folded;
        textBytes += cell.whole ? cell.restore : cell.folded;
    }
    const char* record = folded;
    for (const EncodedCell& cell : cells) {
        if (std::size_t(end - record) < cell.restore ||
            (!cell.whole && !recordFits(record, record + cell.restore, cell.folded))) {
            return std::nullopt;
        }
        record += cell.restore;
    }
    return EncodedRowSize{std::size_t(record - bytes.data()), textBytes};
}

} // namespace catalogue
