#pragma once
// How the store keeps a row, as bytes that the catalogue reader can write and the program can
// take over as they are. Filters compare case-folded text, and the window shows the text as read;
// keeping both would double the memory. So each value is kept folded, with what it takes to
// restore the original: nothing when folding changed nothing, the few bytes that differ when it
// kept the length (the usual case: a capital here and there), or the original whole otherwise.
//
// A row: a header with, per value, its folded length plus one (0 for a null), then per value its
// restore record's length times two, plus one when the record is the original whole (all as
// variable-length numbers of 7 bits a byte); then the folded values back to back; then the restore
// records. A record that is not whole lists each differing byte as its distance from the previous
// one (from the start, for the first) and the original byte.

#include "catalogue/filter/fold_case.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// A value as the catalogue reader hands it over: UTF-8 text, or the UTF-16LE units a catalogue
// file stores, decoded as they are folded.
struct CellText {
    std::string_view bytes;
    bool utf16 = false;
};

class RowEncoder {
public:
    // Appends the row to out; values holds one value per column, nullopt for a null. Answers the
    // bytes of the values as read, in UTF-8.
    std::size_t append(std::span<const std::optional<CellText>> values, std::string& out);
    std::size_t append(std::span<const std::optional<std::string_view>> values, std::string& out);
    // Folds the row's values as append folds them, without encoding the row: folded gets one
    // value per column, nullopt for a null, valid until the next call.
    void fold(std::span<const std::optional<CellText>> values,
              std::span<std::optional<std::string_view>> folded);
    // The same for the columns marked in wanted only; the others are left nullopt.
    void fold(std::span<const std::optional<CellText>> values,
              std::span<std::optional<std::string_view>> folded, const std::vector<bool>& wanted);

private:
    // Room in folded_ for the values folded; answers its start.
    char* foldingRoom(std::span<const std::optional<CellText>> values);
    // Folds a value at `to`, noting the bytes changed; answers it as read, in UTF-8, and its fold.
    std::string_view fold(CellText value, char* to, filter::FoldedText& folded);

    std::vector<std::optional<CellText>> cells_; // values given as UTF-8, as cells
    std::string original_;                       // a UTF-16 value in UTF-8, kept at its largest
    std::vector<std::size_t> foldedLengths_;
    std::vector<std::size_t> restoreLengths_; // as the header writes them
    std::vector<std::size_t> changed_;        // offsets of the bytes folding changed
    std::string header_;
    std::string folded_; // the row's folded values, at its start
    std::string restore_;
};

// One value of an encoded row as its header gives it.
struct EncodedCell {
    bool null;
    std::size_t folded;  // length of the folded value
    std::size_t restore; // length of the restore record
    bool whole;          // whether the restore record is the original itself
};

// Reads the header of the row that starts at `at` into cells (one per column); answers where its
// folded values start. The row must be well formed.
const char* ReadEncodedHeader(const char* at, std::span<EncodedCell> cells);

// The restore records of a row: the original of a value from its folded form and its record.
std::string RestoredValue(std::string_view folded, std::string_view record, bool whole);

// Checks the row at the start of bytes, given by a writer that may be wrong: a whole header with
// lengths that fit the bytes, restore records that stay inside their values. Answers the row's
// size and the bytes of its values as read, or nullopt when it is malformed or cut short. cells
// (one per column) is scratch.
struct EncodedRowSize {
    std::size_t bytes;
    std::size_t textBytes;
};
std::optional<EncodedRowSize> CheckEncodedRow(std::string_view bytes, std::span<EncodedCell> cells);

} // namespace catalogue
