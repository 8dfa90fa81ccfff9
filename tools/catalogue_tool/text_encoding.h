#pragma once
// Text encodings: the CSV file is UTF-8; Jet 4 stores text as UTF-16 little-endian, with
// characters beyond the first Unicode plane as surrogate pairs.

#include "jet/little_endian.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace jet_writer {

// Checks UTF-8 one byte at a time, refusing overlong forms, surrogates and values beyond
// U+10FFFF.
class Utf8Validator {
public:
    enum class Step { complete, partial, invalid };

    Step feed(std::uint8_t byte);
    bool midSequence() const { return remaining_ != 0; }

private:
    Step start(std::uint8_t byte);

    int remaining_ = 0;
    std::uint8_t low_ = 0x80;
    std::uint8_t high_ = 0xbf;
};

// Converts text already known to be valid UTF-8.
std::u16string Utf8ToUtf16(std::string_view validUtf8);

jet::Bytes Utf16LittleEndian(std::u16string_view text);

} // namespace jet_writer
