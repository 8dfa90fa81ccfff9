#include "reader/libmdb/jet_text.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <system_error>
#include <utility>

namespace reader {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr char32_t kReplacement = 0xFFFD;
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

// Pairs UTF-16 code units into characters; a lone surrogate becomes U+FFFD.
class Utf16ToUtf8 {
public:
    explicit Utf16ToUtf8(std::string& out) : out_(out) {}
    ~Utf16ToUtf8() { dropPendingHigh(); }
    Utf16ToUtf8(const Utf16ToUtf8&) = delete;
    Utf16ToUtf8& operator=(const Utf16ToUtf8&) = delete;

    void unit(char16_t u) {
        const bool low = u >= 0xDC00 && u <= 0xDFFF;
        if (high_ != 0 && low) {
            appendUtf8(0x10000 + ((char32_t(high_) - 0xD800) << 10) + (u - 0xDC00), out_);
            high_ = 0;
            return;
        }
        dropPendingHigh();
        if (u >= 0xD800 && u <= 0xDBFF) {
            high_ = u;
        } else {
            appendUtf8(low ? kReplacement : char32_t(u), out_);
        }
    }
    void invalid() {
        dropPendingHigh();
        appendUtf8(kReplacement, out_);
    }
    // Characters below 0x80, one byte each.
    void asciiRun(const unsigned char* bytes, std::size_t size) {
        dropPendingHigh();
        out_.append(reinterpret_cast<const char*>(bytes), size);
    }
    // Characters below 0x80 in UTF-16LE: count units of a low byte and a zero.
    void asciiUnits(const unsigned char* bytes, std::size_t count) {
        dropPendingHigh();
        const std::size_t start = out_.size();
        out_.resize(start + count);
        char* to = out_.data() + start;
        std::size_t k = 0;
#if defined(__SSE2__)
        for (; k + 8 <= count; k += 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 2 * k));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(to + k), _mm_packus_epi16(units, units));
        }
#endif
        for (; k < count; ++k) {
            to[k] = char(bytes[2 * k]);
        }
    }

private:
    void dropPendingHigh() {
        if (high_ != 0) {
            appendUtf8(kReplacement, out_);
            high_ = 0;
        }
    }

    std::string& out_;
    char16_t high_ = 0;
};

// Compressed text: FF FE, then runs of one-byte characters (high byte 0) and of plain UTF-16LE
// characters, each 00 byte switching from one kind of run to the other.
void appendCompressedUtf16(const unsigned char* bytes, std::size_t size, std::string& out) {
    Utf16ToUtf8 decoder(out);
    bool oneByte = true;
    std::size_t i = 2;
    while (i < size) {
        if (bytes[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte && bytes[i] < 0x80) {
            // Most text is such runs: they go across whole.
            std::size_t end = i + 1;
            while (end < size && bytes[end] != 0 && bytes[end] < 0x80) {
                ++end;
            }
            decoder.asciiRun(bytes + i, end - i);
            i = end;
        } else if (oneByte) {
            decoder.unit(bytes[i]);
            ++i;
        } else if (i + 1 < size) {
            decoder.unit(char16_t(bytes[i] | bytes[i + 1] << 8));
            i += 2;
        } else {
            decoder.invalid();
            ++i;
        }
    }
}

// Where the run of ASCII units that starts at i ends, four units at a time while it can.
std::size_t asciiUnitsEnd(const unsigned char* bytes, std::size_t size, std::size_t i) {
#if defined(__SSE2__)
    const __m128i notAscii = _mm_set1_epi16(std::int16_t(0xFF80));
    for (; i + 16 <= size; i += 16) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const __m128i outside = _mm_and_si128(units, notAscii);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(outside, _mm_setzero_si128())) != 0xFFFF) {
            break;
        }
    }
#endif
    constexpr std::uint64_t kNotAscii = 0xFF80FF80FF80FF80;
    for (std::uint64_t units = 0; i + 8 <= size; i += 8) {
        std::memcpy(&units, bytes + i, 8);
        if ((units & kNotAscii) != 0) {
            break;
        }
    }
    while (i + 1 < size && bytes[i] < 0x80 && bytes[i + 1] == 0) {
        i += 2;
    }
    return i;
}

void appendPlainUtf16(const unsigned char* bytes, std::size_t size, std::string& out) {
    Utf16ToUtf8 decoder(out);
    for (std::size_t i = 0; i + 1 < size;) {
        const std::size_t asciiEnd = asciiUnitsEnd(bytes, size, i);
        if (asciiEnd > i) {
            decoder.asciiUnits(bytes + i, (asciiEnd - i) / 2);
            i = asciiEnd;
            continue;
        }
        decoder.unit(char16_t(bytes[i] | bytes[i + 1] << 8));
        i += 2;
    }
    if (size % 2 != 0) {
        decoder.invalid();
    }
}

bool isAscii(const unsigned char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

JetTextDecoder::JetTextDecoder(iconv_t converter, std::string fileCharset)
    : converter_(converter), fileCharset_(std::move(fileCharset)) {}

JetTextDecoder JetTextDecoder::unicode() {
    return {kNoConverter, "UTF-16LE"};
}

JetTextDecoder JetTextDecoder::codePage(int number) {
    std::string name = "CP" + std::to_string(number);
    iconv_t converter = iconv_open("UTF-8", name.c_str());
    if (converter == kNoConverter) {
        name = "CP1252";
        converter = iconv_open("UTF-8", name.c_str());
    }
    if (converter == kNoConverter) {
        throw std::system_error(errno, std::generic_category(),
                                "conversion depuis la page de code 1252 indisponible");
    }
    return {converter, name};
}

JetTextDecoder::JetTextDecoder(JetTextDecoder&& other) noexcept
    : converter_(std::exchange(other.converter_, kNoConverter)),
      fileCharset_(std::move(other.fileCharset_)) {}

JetTextDecoder& JetTextDecoder::operator=(JetTextDecoder&& other) noexcept {
    std::swap(converter_, other.converter_);
    std::swap(fileCharset_, other.fileCharset_);
    return *this;
}

JetTextDecoder::~JetTextDecoder() {
    if (converter_ != kNoConverter) {
        iconv_close(converter_);
    }
}

void JetTextDecoder::append(const unsigned char* bytes, std::size_t size, std::string& out) {
    if (converter_ != kNoConverter) {
        appendCodePage(bytes, size, out);
    } else if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        appendCompressedUtf16(bytes, size, out);
    } else {
        appendPlainUtf16(bytes, size, out);
    }
}

void JetTextDecoder::appendCodePage(const unsigned char* bytes, std::size_t size,
                                    std::string& out) {
    if (isAscii(bytes, size)) {
        out.append(reinterpret_cast<const char*>(bytes), size);
        return;
    }
    const std::size_t start = out.size();
    std::size_t used = start;
    out.resize(start + size * 3 + 8);
    auto* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
    std::size_t inLeft = size;
    iconv(converter_, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        char* target = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = iconv(converter_, &in, &inLeft, &target, &outLeft);
        const int error = errno;
        used = std::size_t(target - out.data());
        if (result != std::size_t(-1)) {
            break;
        }
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // A byte that the code page does not define, or a cut multi-byte character.
        if (out.size() - used < 3) {
            out.resize(out.size() * 2);
        }
        out.replace(used, 3, kReplacementUtf8, 3);
        used += 3;
        ++in;
        --inLeft;
    }
    out.resize(used);
}

} // namespace reader
