#pragma once
// Case folding for comparisons that ignore letter case across Unicode: É and é fold alike, while
// é and e stay different. Folding maps each code point to exactly one code point, so the folded
// text has as many characters as the original.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue::filter {

// Folds UTF-8 text; invalid byte sequences become U+FFFD.
std::string FoldCase(std::string_view utf8);

// The room FoldInto needs to fold text of that many bytes: an invalid byte grows to three.
constexpr std::size_t FoldedRoom(std::size_t bytes) {
    return 3 * bytes + 16;
}

struct FoldedText {
    char* end;        // the end of the folded text written
    bool sameLengths; // whether every character kept its length
};

// Writes text folded as FoldCase folds it at `to`, which has FoldedRoom(utf8.size()) bytes of
// room, and notes in changed the offsets of the bytes folding changed, in ascending order, as long
// as every character keeps its length; once one does not, the offsets noted say nothing.
FoldedText FoldInto(std::string_view utf8, char* to, std::vector<std::size_t>& changed);

// The room FoldUtf16Into needs for each of its two texts, from that many bytes of UTF-16.
constexpr std::size_t Utf16FoldRoom(std::size_t bytes) {
    return 2 * bytes + 16;
}

struct Utf16Fold {
    char* originalEnd; // the end of the text written as UTF-8
    FoldedText folded;
};

// Decodes and folds in one pass the UTF-16LE units that catalogue files store, an even number
// of bytes: writes the text as UTF-8 at `original` and folded at `folded`, each with
// Utf16FoldRoom(units.size()) bytes of room, and notes in changed the offsets of the bytes of
// the UTF-8 text that folding changed, as FoldInto does. A surrogate without its other half reads
// as U+FFFD, as the file's reader reads it.
Utf16Fold FoldUtf16Into(std::string_view units, char* original, char* folded,
                        std::vector<std::size_t>& changed);
// The same fold without the UTF-8 text: writes the folded text alone at `folded`, with
// Utf16FoldRoom(units.size()) bytes of room; answers its end. For searches, which need no more.
char* FoldUtf16(std::string_view units, char* folded);

// One byte for each UTF-16 unit, for searching ASCII text: a unit that folds to an ASCII
// character becomes that character; any other (other characters, and each half of a surrogate
// pair) a byte that is not ASCII, or 0. Text of ASCII characters other than 0 is found in it in
// exactly the same values as in the text FoldUtf16 writes, at other offsets, and it takes far
// less work to write. Writes units.size() / 2 bytes at `to`; answers their end.
char* FoldUtf16ForAsciiSearch(std::string_view units, char* to);

} // namespace catalogue::filter
