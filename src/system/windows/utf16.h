#pragma once
// UTF-8 text as the UTF-16 the Windows calls take.

#include <string>
#include <string_view>
#include <windows.h>

namespace sys {

inline std::wstring Utf16Of(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

} // namespace sys
