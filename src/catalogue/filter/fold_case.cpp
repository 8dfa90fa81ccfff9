#include "catalogue/filter/fold_case.h"

#include "catalogue/filter/unicode_tables.h"
#include "catalogue/filter/utf8.h"

#include <algorithm>
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

// The UTF-16 unit at k.
char32_t unitAt(const char* bytes, std::size_t k) {
    return char32_t(static_cast<unsigned char>(bytes[2 * k])) |
           char32_t(static_cast<unsigned char>(bytes[2 * k + 1])) << 8;
}

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The character that starts at unit k of count, a surrogate pair taken whole and a surrogate
// alone as U+FFFD; moves k past it.
char32_t nextCharacter(const char* bytes, std::size_t count, std::size_t& k) {
    const char32_t unit = unitAt(bytes, k++);
    if (isHighSurrogate(unit) && k < count && isLowSurrogate(unitAt(bytes, k))) {
        return 0x10000 + ((unit - 0xD800) << 10) + (unitAt(bytes, k++) - 0xDC00);
    }
    return isHighSurrogate(unit) || isLowSurrogate(unit) ? 0xFFFD : unit;
}

// Where the texts of FoldUtf16Into stand: the original is written and its changes noted only
// when Original is true; FoldUtf16 writes the folded text alone.
template <bool Original> struct Utf16Cursor {
    const char* const originalStart;
    char* original;
    char* folded;

    void noteCapitals(unsigned mask, std::vector<std::size_t>& changed) const {
        for (; mask != 0; mask &= mask - 1) {
            changed.push_back(std::size_t(original - originalStart) +
                              std::size_t(std::countr_zero(mask)));
        }
    }
    void advance(std::size_t bytes) {
        if constexpr (Original) {
            original += bytes;
        }
        folded += bytes;
    }
};

#if defined(__SSE2__)
// Writes the ASCII units among 16 bytes of units packed to bytes, and folded; answers how many
// units lead before the first that is not ASCII.
template <bool Original>
unsigned foldAsciiGroup(__m128i low, __m128i high, Utf16Cursor<Original>& at,
                        std::vector<std::size_t>& changed) {
    const __m128i nonAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    const __m128i asciiUnits =
        _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(low, nonAscii), zero),
                        _mm_cmpeq_epi16(_mm_and_si128(high, nonAscii), zero));
    const __m128i bytes = _mm_packus_epi16(low, high);
    const __m128i capitals = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('A' - 1)),
                                           _mm_cmplt_epi8(bytes, _mm_set1_epi8('Z' + 1)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at.folded),
                     _mm_or_si128(bytes, _mm_and_si128(capitals, _mm_set1_epi8(0x20))));
    const auto ascii = unsigned(std::countr_one(unsigned(_mm_movemask_epi8(asciiUnits))));
    if constexpr (Original) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(at.original), bytes);
        at.noteCapitals(unsigned(_mm_movemask_epi8(capitals)) & ((1u << ascii) - 1), changed);
    }
    return ascii;
}

// Eight units from `bytes` on, of which only the first `units` (8, 4 or 0) are read: the others
// are marked as not ASCII.
__m128i unitGroup(const char* bytes, std::size_t units) {
    const auto* at = reinterpret_cast<const __m128i*>(bytes);
    const __m128i past = _mm_set1_epi16(static_cast<short>(0xFFFF));
    switch (units) {
    case 4:
        return _mm_unpacklo_epi64(_mm_loadl_epi64(at), past);
    case 8:
        return _mm_loadu_si128(at);
    default:
        return past;
    }
}
#endif

// Writes the ASCII units from k on, as they are and folded; moves k to the first unit that is
// not ASCII, or the end. Sixteen units go at a time, then eight, then four, then one; a group
// that holds another unit is written whole and only its ASCII start kept, the room given leaving
// space for the rest.
template <bool Original>
void foldAsciiUnits(const char* bytes, std::size_t count, std::size_t& k, Utf16Cursor<Original>& at,
                    std::vector<std::size_t>& changed) {
#if defined(__SSE2__)
    for (std::size_t step = 16; step >= 4; step /= 2) {
        while (k + step <= count) {
            const char* group = bytes + 2 * k;
            const __m128i low = unitGroup(group, std::min<std::size_t>(step, 8));
            const __m128i high = unitGroup(group + 16, step - std::min<std::size_t>(step, 8));
            const unsigned ascii = foldAsciiGroup(low, high, at, changed);
            at.advance(ascii);
            k += ascii;
            if (ascii < step) {
                return;
            }
        }
    }
#endif
    for (; k < count && unitAt(bytes, k) < 0x80; ++k) {
        const char c = static_cast<char>(unitAt(bytes, k));
        *at.folded = foldAscii(c);
        if constexpr (Original) {
            *at.original = c;
            if (*at.folded != c) {
                changed.push_back(std::size_t(at.original - at.originalStart));
            }
        }
        at.advance(1);
    }
}

template <bool Original>
Utf16Fold foldUtf16(std::string_view units, char* original, char* folded,
                    std::vector<std::size_t>& changed) {
    const std::size_t count = units.size() / 2;
    Utf16Cursor<Original> at{original, original, folded};
    bool sameLengths = true;
    for (std::size_t k = 0; k < count;) {
        foldAsciiUnits(units.data(), count, k, at, changed);
        if (k == count) {
            break;
        }
        const char32_t character = nextCharacter(units.data(), count, k);
        const char32_t fold =
            character < 0x800 ? twoByteFolds()[character] : FoldCodePoint(character);
        char* const foldStart = at.folded;
        at.folded = utf8::PutEncoded(fold, at.folded);
        if constexpr (Original) {
            char* const start = at.original;
            at.original = utf8::PutEncoded(character, at.original);
            if (at.original - start != at.folded - foldStart) {
                sameLengths = false;
            } else if (sameLengths) {
                for (std::ptrdiff_t b = 0; b < at.original - start; ++b) {
                    if (start[b] != foldStart[b]) {
                        changed.push_back(std::size_t(start + b - original));
                    }
                }
            }
        }
    }
    return {at.original, {at.folded, sameLengths}};
}

} // namespace

Utf16Fold FoldUtf16Into(std::string_view units, char* original, char* folded,
                        std::vector<std::size_t>& changed) {
    return foldUtf16<true>(units, original, folded, changed);
}

char* FoldUtf16(std::string_view units, char* folded) {
    std::vector<std::size_t> none;
    return foldUtf16<false>(units, nullptr, folded, none).folded.end;
}

namespace {

// The only characters beyond ASCII that fold into it (the long s and the Kelvin sign), as a test
// over the whole Unicode table checks.
constexpr char16_t kLongS = 0x017F;
constexpr char16_t kKelvinSign = 0x212A;

char unitForAsciiSearch(char32_t unit) {
    if (unit < 0x80) {
        return foldAscii(static_cast<char>(unit));
    }
    return unit == kLongS ? 's' : unit == kKelvinSign ? 'k' : static_cast<char>(0xFF);
}

#if defined(__SSE2__)
// Units equal to `unit` among 16, as a byte mask.
__m128i unitsEqual(__m128i low, __m128i high, char16_t unit) {
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
    return _mm_packs_epi16(_mm_cmpeq_epi16(low, wanted), _mm_cmpeq_epi16(high, wanted));
}

__m128i replaced(__m128i bytes, __m128i mask, char by) {
    return _mm_or_si128(_mm_andnot_si128(mask, bytes), _mm_and_si128(mask, _mm_set1_epi8(by)));
}
#endif

} // namespace

char* FoldUtf16ForAsciiSearch(std::string_view units, char* to) {
    const std::size_t count = units.size() / 2;
    std::size_t k = 0;
#if defined(__SSE2__)
    // Units past 0xFF pack to 0xFF or 0, those from 0x80 stay above 0x7F: no ASCII byte either.
    for (; k + 16 <= count; k += 16, to += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units.data() + 2 * k));
        const __m128i high =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(units.data() + 2 * k + 16));
        __m128i bytes = _mm_packus_epi16(low, high);
        const __m128i capitals = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('A' - 1)),
                                               _mm_cmplt_epi8(bytes, _mm_set1_epi8('Z' + 1)));
        bytes = _mm_or_si128(bytes, _mm_and_si128(capitals, _mm_set1_epi8(0x20)));
        bytes = replaced(bytes, unitsEqual(low, high, kLongS), 's');
        bytes = replaced(bytes, unitsEqual(low, high, kKelvinSign), 'k');
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), bytes);
    }
#endif
    for (; k < count; ++k) {
        *to++ = unitForAsciiSearch(unitAt(units.data(), k));
    }
    return to;
}

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
