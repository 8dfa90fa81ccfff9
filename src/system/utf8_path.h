#pragma once
// Paths to and from UTF-8 text, the encoding every text of the program is in, whatever the
// system's own encoding of file names.

#include <filesystem>
#include <string>
#include <string_view>

namespace sys {

inline std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace sys
