#include "jet/text_decoding.h"

#include <cstring>
#include <string>

namespace jet {
namespace {

constexpr char32_t kReplacement = 0xfffd;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xd800 && unit <= 0xdbff;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xdc00 && unit <= 0xdfff;
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

// Copies the leading run of ASCII characters of UTF-16LE text, four units at a time where it
// can; returns how many units it took.
std::size_t AppendAsciiUnits(ByteSpan units, std::string& out) {
    const std::size_t count = units.size() / 2;
    std::size_t k = 0;
    char quad[4];
    for (; k + 4 <= count; k += 4) {
        std::uint64_t word = 0;
        std::memcpy(&word, units.data() + 2 * k, sizeof word);
        if ((word & 0xff80ff80ff80ff80ull) != 0) {
            break;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            quad[i] = static_cast<char>(units[2 * (k + i)]);
        }
        out.append(quad, 4);
    }
    for (; k < count && units[2 * k + 1] == 0 && units[2 * k] < 0x80; ++k) {
        out.push_back(static_cast<char>(units[2 * k]));
    }
    return k;
}

} // namespace

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        const char bytes[] = {static_cast<char>(0xc0 | (c >> 6)),
                              static_cast<char>(0x80 | (c & 0x3f))};
        out.append(bytes, 2);
    } else if (c < 0x10000) {
        const char bytes[] = {static_cast<char>(0xe0 | (c >> 12)),
                              static_cast<char>(0x80 | ((c >> 6) & 0x3f)),
                              static_cast<char>(0x80 | (c & 0x3f))};
        out.append(bytes, 3);
    } else {
        const char bytes[] = {
            static_cast<char>(0xf0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3f)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3f)), static_cast<char>(0x80 | (c & 0x3f))};
        out.append(bytes, 4);
    }
}

void AppendUtf16(ByteSpan units, std::string& out) {
    if (units.size() % 2 != 0) {
        throw FormatError::Damaged("un texte a un nombre impair d'octets");
    }
    Utf16Sink sink(out);
    for (std::size_t i = 0; i < units.size();) {
        if (units[i + 1] == 0 && units[i] < 0x80) {
            sink.Flush();
            i += 2 * AppendAsciiUnits(units.subspan(i), out);
            continue;
        }
        sink.Unit(char32_t(units[i]) | char32_t(units[i + 1]) << 8);
        i += 2;
    }
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

void TextDecoder::Append(ByteSpan stored, std::string& out) const {
    if (codePage_ != nullptr) {
        AppendCodePage(stored, *codePage_, out);
    } else if (stored.size() >= 2 && stored[0] == kCompressedTextMark[0] &&
               stored[1] == kCompressedTextMark[1]) {
        AppendCompressedUtf16(stored, out);
    } else {
        AppendUtf16(stored, out);
    }
}

} // namespace jet
