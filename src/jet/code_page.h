#pragma once
// Jet 3 text is stored one byte a character in the database's code page.

#include <array>
#include <cstdint>

namespace jet {

// The characters of bytes 0x80 to 0xFF; U+FFFD where the code page defines none.
using HighHalf = std::array<char16_t, 128>;

// The table of a code page this reader knows, or nullptr.
const HighHalf* CodePageTable(std::uint16_t codePage);

} // namespace jet
