#pragma once
// Stepping through UTF-8 text one character at a time. A character ("unit") is a byte that does
// not continue a sequence together with the continuation bytes after it. For valid UTF-8 a unit
// is one code point; for damaged text the rule still holds, so stepping forward and backward
// always agree and never leave the text.

#include <cstddef>
#include <string>
#include <string_view>

namespace catalogue::filter::utf8 {

inline bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The end of the unit that starts at pos (pos < text.size()).
inline std::size_t NextUnit(std::string_view text, std::size_t pos) {
    ++pos;
    while (pos < text.size() && IsContinuation(text[pos])) {
        ++pos;
    }
    return pos;
}

// The start of the unit that ends at end (end > 0).
inline std::size_t PreviousUnit(std::string_view text, std::size_t end) {
    --end;
    while (end > 0 && IsContinuation(text[end])) {
        --end;
    }
    return end;
}

// The code point of a unit of more than one byte, or U+FFFD when it is not valid UTF-8.
char32_t DecodeSequence(std::string_view unit);

// The code point of one unit, or U+FFFD when the unit is not a valid UTF-8 sequence.
inline char32_t Decode(std::string_view unit) {
    if (unit.size() == 1 && static_cast<unsigned char>(unit[0]) < 0x80) {
        return char32_t(unit[0]);
    }
    return DecodeSequence(unit);
}

// Writes a code point's bytes at `to`, which has room for four; answers their end.
char* PutEncoded(char32_t codePoint, char* to);
void AppendEncoded(std::string& text, char32_t codePoint);

// Number of units in text, used to give positions in messages.
std::size_t CountUnits(std::string_view text);

} // namespace catalogue::filter::utf8
