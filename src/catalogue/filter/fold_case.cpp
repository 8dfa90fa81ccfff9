#include "catalogue/filter/fold_case.h"

#include "catalogue/filter/unicode_tables.h"
#include "catalogue/filter/utf8.h"

#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace catalogue::filter {

namespace {

// The folds of U+0080 to U+07FF, the two-byte characters of Latin, Greek and Cyrillic text: a
// catalogue folds millions of them.
class TwoByteFolds {
public:
    TwoByteFolds() {
        for (char32_t codePoint = 0x80; codePoint < 0x800; ++codePoint) {
            folds_[codePoint - 0x80] = FoldCodePoint(codePoint);
        }
    }
    char32_t operator[](char32_t codePoint) const { return folds_[codePoint - 0x80]; }

private:
    std::array<char32_t, 0x800 - 0x80> folds_{};
};

const TwoByteFolds& twoByteFolds() {
    static const TwoByteFolds folds;
    return folds;
}

bool isTwoByteSequence(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    return lead >= 0xC2 && lead <= 0xDF && pos + 1 < text.size() &&
           utf8::IsContinuation(text[pos + 1]) &&
           (pos + 2 == text.size() || !utf8::IsContinuation(text[pos + 2]));
}

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Folds the character at pos, which is not ASCII, writes it at `to` and moves pos past it;
// answers the end of what it wrote.
char* foldCharacter(std::string_view text, std::size_t& pos, char* to) {
    if (isTwoByteSequence(text, pos)) {
        const char32_t codePoint = char32_t(text[pos] & 0x1F) << 6 | char32_t(text[pos + 1] & 0x3F);
        pos += 2;
        return utf8::PutEncoded(twoByteFolds()[codePoint], to);
    }
    const std::size_t next = utf8::NextUnit(text, pos);
    to = utf8::PutEncoded(FoldCodePoint(utf8::Decode(text.substr(pos, next - pos))), to);
    pos = next;
    return to;
}

// Folds the ASCII run that starts at pos, sixteen bytes at a time, then byte by byte; moves pos
// to the first byte that is not ASCII, or the end, and answers the end of what it wrote. A group
// that holds the run's end is folded whole and only its ASCII start kept: the room FoldInto is
// given leaves space for the rest.
char* foldAsciiRun(std::string_view text, std::size_t& pos, char* to,
                   std::vector<std::size_t>& changed) {
#if defined(__SSE2__)
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i smallBit = _mm_set1_epi8(0x20);
    while (pos + 16 <= text.size()) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + pos));
        // Bytes of 0x80 and up compare as negative: never capitals.
        const __m128i capitals =
            _mm_and_si128(_mm_cmpgt_epi8(bytes, beforeA), _mm_cmplt_epi8(bytes, afterZ));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                         _mm_or_si128(bytes, _mm_and_si128(capitals, smallBit)));
        const auto others = unsigned(_mm_movemask_epi8(bytes));
        const int ascii = others == 0 ? 16 : std::countr_zero(others);
        for (auto mask = unsigned(_mm_movemask_epi8(capitals)) & ((1u << ascii) - 1); mask != 0;
             mask &= mask - 1) {
            changed.push_back(pos + std::size_t(std::countr_zero(mask)));
        }
        pos += std::size_t(ascii);
        to += ascii;
        if (ascii < 16) {
            return to;
        }
    }
#endif
    for (; pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80; ++pos) {
        *to = foldAscii(text[pos]);
        if (*to++ != text[pos]) {
            changed.push_back(pos);
        }
    }
    return to;
}

} // namespace

// Runs of ASCII are folded in bulk and other characters one by one, rather than decoding
// everything: the catalogue reader folds every cell of a large catalogue, and most text is ASCII.
FoldedText FoldInto(std::string_view utf8, char* to, std::vector<std::size_t>& changed) {
    bool sameLengths = true;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        to = foldAsciiRun(utf8, pos, to, changed);
        if (pos == utf8.size()) {
            break;
        }
        const std::size_t start = pos;
        char* const written = to;
        to = foldCharacter(utf8, pos, to);
        if (std::size_t(to - written) != pos - start) {
            sameLengths = false;
        } else if (sameLengths) {
            for (std::size_t k = 0; k < pos - start; ++k) {
                if (written[k] != utf8[start + k]) {
                    changed.push_back(start + k);
                }
            }
        }
    }
    return {to, sameLengths};
}

std::string FoldCase(std::string_view utf8) {
    std::string folded(FoldedRoom(utf8.size()), '\0');
    std::vector<std::size_t> changed;
    folded.resize(std::size_t(FoldInto(utf8, folded.data(), changed).end - folded.data()));
    return folded;
}

} // namespace catalogue::filter
