#include "catalogue/filter/fold_case.h"

#include "catalogue/filter/unicode_tables.h"
#include "catalogue/filter/utf8.h"

#include <cstdint>
#include <cstring>

namespace catalogue::filter {

namespace {

bool isTwoByteSequence(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    return lead >= 0xC2 && lead <= 0xDF && pos + 1 < text.size() &&
           utf8::IsContinuation(text[pos + 1]) &&
           (pos + 2 == text.size() || !utf8::IsContinuation(text[pos + 2]));
}

// Folds the character at pos, appends it and returns where the next one starts. Latin, Greek
// and Cyrillic letters take two bytes and get a short path of their own.
std::size_t foldCharacter(std::string_view text, std::size_t pos, std::string& folded) {
    if (isTwoByteSequence(text, pos)) {
        const char32_t codePoint = char32_t(text[pos] & 0x1F) << 6 | char32_t(text[pos + 1] & 0x3F);
        utf8::AppendEncoded(folded, FoldCodePoint(codePoint));
        return pos + 2;
    }
    const std::size_t next = utf8::NextUnit(text, pos);
    utf8::AppendEncoded(folded, FoldCodePoint(utf8::Decode(text.substr(pos, next - pos))));
    return next;
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// Eight ASCII bytes with their capitals made small: the high bit of each byte is set by adding
// once from 'A' up and once beyond 'Z', and where only the first is set, 0x20 is added.
std::uint64_t foldAsciiWord(std::uint64_t word) {
    const std::uint64_t fromA = (word + kEveryByte * (0x80 - 'A')) & kHighBits;
    const std::uint64_t beyondZ = (word + kEveryByte * (0x80 - 'Z' - 1)) & kHighBits;
    return word | (fromA & ~beyondZ) >> 2;
}

// Appends the ASCII bytes that begin text, folded, eight at a time; answers how many there were.
std::size_t appendAsciiRun(std::string_view text, std::string& out) {
    std::size_t pos = 0;
    for (; pos + 8 <= text.size(); pos += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + pos, 8);
        if ((word & kHighBits) != 0) {
            break;
        }
        word = foldAsciiWord(word);
        out.append(reinterpret_cast<const char*>(&word), 8);
    }
    for (; pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80; ++pos) {
        const char c = text[pos];
        out.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
    }
    return pos;
}

} // namespace

// Runs of ASCII are folded in bulk and other characters one by one, rather than decoding
// everything: the store folds every cell of a large catalogue, and most text is ASCII.
void AppendFolded(std::string_view utf8, std::string& out) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        pos += appendAsciiRun(utf8.substr(pos), out);
        if (pos < utf8.size()) {
            pos = foldCharacter(utf8, pos, out);
        }
    }
}

std::string FoldCase(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    AppendFolded(utf8, folded);
    return folded;
}

} // namespace catalogue::filter
