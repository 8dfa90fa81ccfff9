// Stored text bytes to UTF-8: Jet 4's UTF-16 and its compressed form, Jet 3's code pages.

#include "reader/libmdb/jet_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using reader::JetTextDecoder;

std::string decode(JetTextDecoder& decoder, std::initializer_list<int> bytes) {
    const std::vector<unsigned char> stored(bytes.begin(), bytes.end());
    std::string out;
    decoder.append(stored.data(), stored.size(), out);
    return out;
}

TEST(JetTextDecoder, PlainUtf16KeepsAccentsAndCharactersBeyondTheFirstPlane) {
    auto decoder = JetTextDecoder::unicode();
    // "Lé" then U+1F3AE (a game controller) as the surrogate pair D83C DFAE.
    EXPECT_EQ(decode(decoder, {'L', 0, 0xE9, 0, 0x3C, 0xD8, 0xAE, 0xDF}), "Lé\U0001F3AE");
}

TEST(JetTextDecoder, CompressedTextSwitchesBetweenOneAndTwoByteRuns) {
    auto decoder = JetTextDecoder::unicode();
    // FF FE, "Jeu" in one-byte form, 00, U+1F3AE and "€" (U+20AC) in two-byte form, 00, " é".
    EXPECT_EQ(decode(decoder, {0xFF, 0xFE, 'J', 'e', 'u', 0, 0x3C, 0xD8, 0xAE, 0xDF, 0xAC, 0x20, 0,
                               ' ', 0xE9}),
              "Jeu\U0001F3AE€ é");
    EXPECT_EQ(decode(decoder, {0xFF, 0xFE}), "");
}

TEST(JetTextDecoder, BrokenUtf16BecomesReplacementCharacters) {
    auto decoder = JetTextDecoder::unicode();
    // A high surrogate before "A", a lone low surrogate, then an odd last byte.
    EXPECT_EQ(decode(decoder, {0x3C, 0xD8, 'A', 0, 0xAE, 0xDF, 'B'}), "\uFFFDA\uFFFD\uFFFD");
    // A high surrogate at the very end, in compressed text.
    EXPECT_EQ(decode(decoder, {0xFF, 0xFE, 'x', 0, 0x3C, 0xD8}), "x\uFFFD");
}

TEST(JetTextDecoder, CodePageTextUsesTheFilesCodePage) {
    auto western = JetTextDecoder::codePage(1252);
    EXPECT_EQ(western.fileCharset(), "CP1252");
    EXPECT_EQ(decode(western, {'U', 'm', 's', 0xE4, 't', 'z', 'e', ' ', 0x80}), "Umsätze €");
    auto cyrillic = JetTextDecoder::codePage(1251);
    EXPECT_EQ(decode(cyrillic, {0xCC, 0xEE, 0xF1, 0xEA, 0xE2, 0xE0}), "Москва");
}

TEST(JetTextDecoder, CodePageBytesWithoutCharacterBecomeReplacementCharacters) {
    auto western = JetTextDecoder::codePage(1252);
    // 0x81 has no character in code page 1252.
    EXPECT_EQ(decode(western, {'a', 0x81, 0xE9}), "a\uFFFDé");
}

TEST(JetTextDecoder, UnknownCodePageFallsBackToWesternEurope) {
    auto decoder = JetTextDecoder::codePage(0);
    EXPECT_EQ(decoder.fileCharset(), "CP1252");
    EXPECT_EQ(decode(decoder, {0xE9}), "é");
}

TEST(JetTextDecoder, AppendsAfterWhatIsThere) {
    auto decoder = JetTextDecoder::codePage(1252);
    std::string out = "déjà ";
    const unsigned char stored[] = {'l', 0xE0};
    decoder.append(stored, sizeof stored, out);
    EXPECT_EQ(out, "déjà là");
}

TEST(JetTextDecoder, LongCodePageTextComesBackWhole) {
    auto decoder = JetTextDecoder::codePage(1252);
    const std::vector<unsigned char> stored(100000, 0x80);
    std::string out;
    decoder.append(stored.data(), stored.size(), out);
    ASSERT_EQ(out.size(), 300000u);
    EXPECT_EQ(out.substr(299997), "€");
}

} // namespace
