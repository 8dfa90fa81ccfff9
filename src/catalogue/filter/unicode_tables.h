#pragma once
// The character facts the filter needs beyond ASCII, from the Unicode character database: simple
// case folding, letters and digits (categories L and N), and blanks.

namespace catalogue::filter {

// The code point's simple case folding; the code point itself when it has none.
char32_t FoldCodePoint(char32_t codePoint);
bool IsLetterOrNumber(char32_t codePoint);
// Blanks, line and paragraph separators, and the control characters tab to carriage return.
bool IsSpace(char32_t codePoint);

} // namespace catalogue::filter
