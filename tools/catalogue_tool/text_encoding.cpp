#include "catalogue_tool/text_encoding.h"

namespace jet_writer {

Utf8Validator::Step Utf8Validator::start(std::uint8_t byte) {
    low_ = 0x80;
    high_ = 0xbf;
    if (byte < 0x80) {
        return Step::complete;
    }
    if (byte >= 0xc2 && byte <= 0xdf) {
        remaining_ = 1;
    } else if (byte >= 0xe0 && byte <= 0xef) {
        remaining_ = 2;
    } else if (byte >= 0xf0 && byte <= 0xf4) {
        remaining_ = 3;
    } else {
        return Step::invalid;
    }
    if (byte == 0xe0) {
        low_ = 0xa0; // shorter forms exist
    } else if (byte == 0xed) {
        high_ = 0x9f; // UTF-16 surrogates
    } else if (byte == 0xf0) {
        low_ = 0x90; // shorter forms exist
    } else if (byte == 0xf4) {
        high_ = 0x8f; // beyond U+10FFFF
    }
    return Step::partial;
}

Utf8Validator::Step Utf8Validator::feed(std::uint8_t byte) {
    if (remaining_ == 0) {
        return start(byte);
    }
    if (byte < low_ || byte > high_) {
        remaining_ = 0;
        return Step::invalid;
    }
    low_ = 0x80;
    high_ = 0xbf;
    return --remaining_ == 0 ? Step::complete : Step::partial;
}

namespace {

int SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead < 0xe0) {
        return 2;
    }
    return lead < 0xf0 ? 3 : 4;
}

char16_t* PutCodePoint(char16_t* out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        *out = static_cast<char16_t>(codePoint);
        return out + 1;
    }
    codePoint -= 0x10000;
    out[0] = static_cast<char16_t>(0xd800 + (codePoint >> 10));
    out[1] = static_cast<char16_t>(0xdc00 + (codePoint & 0x3ff));
    return out + 2;
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view validUtf8) {
    static constexpr unsigned char leadMasks[] = {0, 0x7f, 0x1f, 0x0f, 0x07};
    std::u16string out(validUtf8.size(), u'\0'); // never more units than bytes
    char16_t* next = out.data();
    for (std::size_t i = 0; i < validUtf8.size();) {
        const auto lead = static_cast<unsigned char>(validUtf8[i]);
        const int length = SequenceLength(lead);
        char32_t codePoint = lead & leadMasks[length];
        for (int k = 1; k < length; ++k) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(validUtf8[i + k]) & 0x3f);
        }
        next = PutCodePoint(next, codePoint);
        i += static_cast<std::size_t>(length);
    }
    out.resize(static_cast<std::size_t>(next - out.data()));
    return out;
}

jet::Bytes Utf16LittleEndian(std::u16string_view text) {
    jet::Bytes out(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        jet::StoreU16(&out[2 * i], static_cast<std::uint16_t>(text[i]));
    }
    return out;
}

} // namespace jet_writer
