#include "jet/text_decoding.h"

#include <bit>
#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace jet {
namespace {

constexpr char32_t kReplacement = 0xfffd;

// The word-at-a-time ASCII checks read UTF-16LE units in the machine's own order.
static_assert(std::endian::native == std::endian::little);

bool IsCompressed(ByteSpan stored) {
    return stored.size() >= 2 && stored[0] == kCompressedTextMark[0] &&
           stored[1] == kCompressedTextMark[1];
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xd800 && unit <= 0xdbff;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xdc00 && unit <= 0xdfff;
}

// Writes a character as UTF-8 at `to`; returns the end.
char* PutUtf8(char32_t c, char* to) {
    if (c < 0x80) {
        *to++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *to++ = static_cast<char>(0xc0 | (c >> 6));
        *to++ = static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        *to++ = static_cast<char>(0xe0 | (c >> 12));
        *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        *to++ = static_cast<char>(0x80 | (c & 0x3f));
    } else {
        *to++ = static_cast<char>(0xf0 | (c >> 18));
        *to++ = static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        *to++ = static_cast<char>(0x80 | (c & 0x3f));
    }
    return to;
}

// Pairs UTF-16 code units into characters as they come, whatever the form they came in.
class Utf16Sink {
public:
    explicit Utf16Sink(std::string& out) : out_(out) {}
    Utf16Sink(const Utf16Sink&) = delete;
    Utf16Sink& operator=(const Utf16Sink&) = delete;
    ~Utf16Sink() { Flush(); }

    void Unit(char32_t unit) {
        if (high_ != 0 && IsLowSurrogate(unit)) {
            AppendUtf8(0x10000 + ((high_ - 0xd800) << 10) + (unit - 0xdc00), out_);
            high_ = 0;
            return;
        }
        Flush();
        if (IsHighSurrogate(unit)) {
            high_ = unit;
        } else {
            AppendUtf8(IsLowSurrogate(unit) ? kReplacement : unit, out_);
        }
    }
    void Flush() {
        if (high_ != 0) {
            AppendUtf8(kReplacement, out_);
            high_ = 0;
        }
    }

private:
    std::string& out_;
    char32_t high_ = 0;
};

// Copies ASCII units eight at a time while they last, then those before the first other unit
// of the last eight; returns how many units it took.
std::size_t CopyAsciiUnits(const std::uint8_t* bytes, std::size_t count, char* to) {
    std::size_t k = 0;
#if defined(__SSE2__)
    const __m128i nonAscii = _mm_set1_epi16(static_cast<short>(0xff80));
    for (; k + 8 <= count; k += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 2 * k));
        const __m128i high = _mm_and_si128(units, nonAscii);
        const auto ascii =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())));
        // The eight bytes are stored whole: the caller's buffer has room for three a unit.
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to + k), _mm_packus_epi16(units, units));
        if (ascii != 0xffff) {
            return k + static_cast<std::size_t>(std::countr_one(ascii)) / 2;
        }
    }
#else
    (void)bytes;
    (void)count;
    (void)to;
#endif
    return k;
}

// Writes the characters of UTF-16LE units as UTF-8 from `to` on, at most three bytes a unit;
// returns the end. ASCII runs go eight or four units at a time.
char* WriteUtf16(ByteSpan units, char* to) {
    const std::size_t count = units.size() / 2;
    const std::uint8_t* bytes = units.data();
    char32_t high = 0;
    for (std::size_t k = 0; k < count;) {
        if (high == 0 && k + 8 <= count) {
            const std::size_t copied = CopyAsciiUnits(bytes + 2 * k, count - k, to);
            if (copied != 0) {
                to += copied;
                k += copied;
                continue;
            }
        }
        if (high == 0 && k + 4 <= count) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes + 2 * k, sizeof word);
            if ((word & 0xff80ff80ff80ff80ull) == 0) {
                const auto quad =
                    static_cast<std::uint32_t>((word & 0xff) | (word >> 8 & 0xff00) |
                                               (word >> 16 & 0xff0000) | (word >> 24 & 0xff000000));
                std::memcpy(to, &quad, 4); // little-endian: the first unit first
                to += 4;
                k += 4;
                continue;
            }
        }
        const char32_t unit = char32_t(bytes[2 * k]) | char32_t(bytes[2 * k + 1]) << 8;
        ++k;
        if (high != 0 && IsLowSurrogate(unit)) {
            to = PutUtf8(0x10000 + ((high - 0xd800) << 10) + (unit - 0xdc00), to);
            high = 0;
            continue;
        }
        if (high != 0) {
            to = PutUtf8(kReplacement, to);
            high = 0;
        }
        if (IsHighSurrogate(unit)) {
            high = unit;
        } else {
            to = PutUtf8(IsLowSurrogate(unit) ? kReplacement : unit, to);
        }
    }
    if (high != 0) {
        to = PutUtf8(kReplacement, to);
    }
    return to;
}

} // namespace

void AppendUtf8(char32_t c, std::string& out) {
    char bytes[4];
    out.append(bytes, PutUtf8(c, bytes));
}

void AppendUtf16(ByteSpan units, std::string& out) {
    if (units.size() % 2 != 0) {
        throw FormatError::Damaged("un texte a un nombre impair d'octets");
    }
    // A unit gives at most three bytes of UTF-8 (a pair of them, four).
    const std::size_t start = out.size();
    out.resize(start + units.size() / 2 * 3);
    char* end = WriteUtf16(units, out.data() + start);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

void AppendCompressedUtf16(ByteSpan stored, std::string& out) {
    Utf16Sink sink(out);
    bool oneByte = true;
    for (std::size_t i = sizeof kCompressedTextMark; i < stored.size();) {
        if (stored[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            sink.Unit(stored[i]);
            ++i;
        } else if (i + 1 < stored.size()) {
            sink.Unit(char32_t(stored[i]) | char32_t(stored[i + 1]) << 8);
            i += 2;
        } else {
            throw FormatError::Damaged("un texte compressé s'arrête au milieu d'un caractère");
        }
    }
}

void AppendCodePage(ByteSpan bytes, const HighHalf& table, std::string& out) {
    for (const std::uint8_t byte : bytes) {
        if (byte < 0x80) {
            out.push_back(static_cast<char>(byte));
        } else {
            AppendUtf8(table[byte - 0x80], out);
        }
    }
}

TextDecoder::TextDecoder(const DatabaseInfo& info) : codePage_(nullptr) {
    if (info.version != Version::Jet3) {
        return;
    }
    codePage_ = CodePageTable(info.codePage);
    if (codePage_ == nullptr) {
        throw FormatError::Unsupported("son texte est dans la page de code " +
                                       std::to_string(info.codePage) +
                                       ", que ce lecteur ne connaît pas");
    }
}

std::optional<ByteSpan> TextDecoder::PlainUtf16(ByteSpan stored) const {
    if (codePage_ != nullptr || IsCompressed(stored)) {
        return std::nullopt;
    }
    if (stored.size() % 2 != 0) {
        throw FormatError::Damaged("un texte a un nombre impair d'octets");
    }
    return stored;
}

std::size_t TextDecoder::Write(ByteSpan stored, std::string& buffer) const {
    if (!PlainUtf16(stored)) {
        buffer.clear();
        Append(stored, buffer);
        return buffer.size();
    }
    if (buffer.size() < stored.size() / 2 * 3) {
        buffer.resize(stored.size() / 2 * 3);
    }
    return std::size_t(WriteUtf16(stored, buffer.data()) - buffer.data());
}

void TextDecoder::Append(ByteSpan stored, std::string& out) const {
    if (codePage_ != nullptr) {
        AppendCodePage(stored, *codePage_, out);
    } else if (IsCompressed(stored)) {
        AppendCompressedUtf16(stored, out);
    } else {
        AppendUtf16(stored, out);
    }
}

} // namespace jet
