#include "catalogue/filter/utf8.h"

namespace catalogue::filter::utf8 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Lead {
    std::size_t length;
    char32_t bits;
    char32_t smallest; // below this the sequence is overlong
};

bool readLead(unsigned char byte, Lead& lead) {
    if (byte < 0x80) {
        lead = {1, byte, 0};
    } else if ((byte & 0xE0) == 0xC0) {
        lead = {2, char32_t(byte & 0x1F), 0x80};
    } else if ((byte & 0xF0) == 0xE0) {
        lead = {3, char32_t(byte & 0x0F), 0x800};
    } else if ((byte & 0xF8) == 0xF0) {
        lead = {4, char32_t(byte & 0x07), 0x10000};
    } else {
        return false;
    }
    return true;
}

} // namespace

char32_t DecodeSequence(std::string_view unit) {
    Lead lead{};
    if (unit.empty() || !readLead(static_cast<unsigned char>(unit[0]), lead) ||
        unit.size() != lead.length) {
        return kReplacement;
    }
    char32_t codePoint = lead.bits;
    for (std::size_t i = 1; i < unit.size(); ++i) {
        codePoint = (codePoint << 6) | char32_t(static_cast<unsigned char>(unit[i]) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < lead.smallest || codePoint > 0x10FFFF || surrogate) {
        return kReplacement;
    }
    return codePoint;
}

char* PutEncoded(char32_t codePoint, char* to) {
    if (codePoint < 0x80) {
        *to++ = char(codePoint);
    } else if (codePoint < 0x800) {
        *to++ = char(0xC0 | (codePoint >> 6));
        *to++ = char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *to++ = char(0xE0 | (codePoint >> 12));
        *to++ = char(0x80 | ((codePoint >> 6) & 0x3F));
        *to++ = char(0x80 | (codePoint & 0x3F));
    } else {
        *to++ = char(0xF0 | (codePoint >> 18));
        *to++ = char(0x80 | ((codePoint >> 12) & 0x3F));
        *to++ = char(0x80 | ((codePoint >> 6) & 0x3F));
        *to++ = char(0x80 | (codePoint & 0x3F));
    }
    return to;
}

void AppendEncoded(std::string& text, char32_t codePoint) {
    char bytes[4];
    text.append(bytes, PutEncoded(codePoint, bytes));
}

std::size_t CountUnits(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos = NextUnit(text, pos)) {
        ++count;
    }
    return count;
}

} // namespace catalogue::filter::utf8
