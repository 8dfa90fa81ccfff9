// UTF-8 texts of the core and Windows' UTF-16 ones convert both ways without loss.

#include "system/windows/wide_text.h"

#include <gtest/gtest.h>

namespace {

TEST(WideTextTest, AccentsAndCharactersBeyondSixteenBitsRoundTrip) {
    const std::string text = "Orvane déjà lancé « jeu » \xF0\x9F\x8E\xB2";
    const std::wstring wide = sys::Widen(text);
    EXPECT_EQ(wide.substr(0, 18), L"Orvane déjà lancé ");
    EXPECT_EQ(sys::Narrow(wide), text);
}

TEST(WideTextTest, EmptyStaysEmpty) {
    EXPECT_EQ(sys::Widen(""), L"");
    EXPECT_EQ(sys::Narrow(L""), "");
}

TEST(WideTextTest, EmbeddedNulsAndCarriageReturnsAreKept) {
    const std::string text("a\0b\r\rc", 6);
    EXPECT_EQ(sys::Narrow(sys::Widen(text)), text);
}

TEST(WideTextTest, InvalidUtf8BecomesReplacementCharactersNotNothing) {
    const std::wstring wide = sys::Widen("caf\xE9 ok");
    EXPECT_EQ(wide.front(), L'c');
    EXPECT_NE(wide.find(L'\xFFFD'), std::wstring::npos);
    EXPECT_EQ(wide.substr(wide.size() - 3), L" ok");
}

} // namespace
