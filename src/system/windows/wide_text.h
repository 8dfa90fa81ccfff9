#pragma once
// The core speaks UTF-8; Windows' own calls take UTF-16. Invalid UTF-8 becomes U+FFFD rather
// than an empty text, so a damaged caption still shows what it can.

#include <string>
#include <string_view>

namespace sys {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace sys
