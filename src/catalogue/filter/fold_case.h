#pragma once
// Case folding for comparisons that ignore letter case across Unicode: É and é fold alike, while
// é and e stay different. Folding maps each code point to exactly one code point, so the folded
// text has as many characters as the original.

#include <string>
#include <string_view>

namespace catalogue::filter {

// Folds UTF-8 text; invalid byte sequences become U+FFFD.
std::string FoldCase(std::string_view utf8);
// Appends the folded text to out, as FoldCase gives it.
void AppendFolded(std::string_view utf8, std::string& out);

} // namespace catalogue::filter
