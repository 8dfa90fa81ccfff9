#include "jet/name_folding.h"

#include <cstddef>

namespace jet {
namespace {

// The next character of UTF-8 text; a malformed byte stands for itself.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xc0 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
    if (length == 1 || at + length > text.size()) {
        ++at;
        return lead;
    }
    char32_t c = lead & (0x7f >> length);
    for (std::size_t k = 1; k < length; ++k) {
        c = (c << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3f);
    }
    at += length;
    return c;
}

char32_t Folded(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xc0 && c <= 0xde && c != 0xd7) ||
        (c >= 0x391 && c <= 0x3ab) || (c >= 0x410 && c <= 0x42f)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40f) {
        return c + 0x50;
    }
    return c;
}

} // namespace

bool SameName(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (Folded(NextCharacter(a, i)) != Folded(NextCharacter(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

} // namespace jet
