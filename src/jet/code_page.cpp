#include "jet/code_page.h"

namespace jet {
namespace {

// Windows-1252 (Western European): Latin-1 but for 0x80 to 0x9F.
constexpr HighHalf MakeWindows1252() {
    constexpr char16_t controls[32] = {
        0x20ac, 0xfffd, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xfffd, 0x017d, 0xfffd, 0xfffd, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
        0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0xfffd, 0x017e, 0x0178};
    HighHalf table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = i < 32 ? controls[i] : static_cast<char16_t>(0x80 + i);
    }
    return table;
}

constexpr HighHalf kWindows1252 = MakeWindows1252();

} // namespace

const HighHalf* CodePageTable(std::uint16_t codePage) {
    switch (codePage) {
    case 1252:
        return &kWindows1252;
    default:
        return nullptr;
    }
}

} // namespace jet
