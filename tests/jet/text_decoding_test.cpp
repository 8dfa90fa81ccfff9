// Text as Jet stores it, to UTF-8: UTF-16LE (surrogate pairs included), the compressed form,
// Jet 3 code-page text, and what damage looks like in each.

#include "jet/code_page.h"
#include "jet/jet_error.h"
#include "jet/name_folding.h"
#include "jet/text_decoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Stored = std::vector<std::uint8_t>;

Stored Utf16(std::u16string_view text) {
    Stored bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::string Decoded(jet::Version version, const Stored& stored) {
    const jet::DatabaseInfo info{version, nullptr, 1252, 0};
    std::string out;
    jet::TextDecoder(info).Append(stored, out);
    return out;
}

std::string Jet4(const Stored& stored) {
    return Decoded(jet::Version::Jet4, stored);
}

TEST(Utf16Text, EveryCharacterComesAcrossWhatever) {
    EXPECT_EQ(Jet4(Utf16(u"Jeu de l'oie")), "Jeu de l'oie");
    EXPECT_EQ(Jet4(Utf16(u"Encyclopédie œuvre €")), "Encyclopédie œuvre €");
    EXPECT_EQ(Jet4(Utf16(u"Ελληνικά Русский 日本語")), "Ελληνικά Русский 日本語");
    // A surrogate pair is one character beyond the first plane, four bytes of UTF-8.
    EXPECT_EQ(Jet4(Utf16(u"a\U0001F600b\U00010348")), "a\U0001F600b\U00010348");
    // ASCII runs of every length around the four-unit steps.
    for (std::size_t length = 0; length < 13; ++length) {
        const std::u16string ascii(length, u'x');
        EXPECT_EQ(Jet4(Utf16(ascii + u"é" + ascii)),
                  std::string(length, 'x') + "é" + std::string(length, 'x'));
    }
}

TEST(Utf16Text, LoneSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(Jet4(Utf16(u"a\xd800")), "a\uFFFD");
    EXPECT_EQ(Jet4(Utf16(u"\xdc00z")), "\uFFFDz");
    EXPECT_EQ(Jet4(Utf16(u"\xd800\xd800\xdc00")), "\uFFFD\U00010000");
    EXPECT_EQ(Jet4(Utf16(u"\xd800x")), "\uFFFDx");
}

TEST(Utf16Text, AnOddNumberOfBytesIsDamage) {
    const Stored odd = {'a', 0, 'b'};
    EXPECT_THROW(Jet4(odd), jet::FormatError);
}

TEST(CompressedText, OneByteRunsAndUtf16RunsAlternateAtEachZero) {
    // FF FE, "ab", switch, U+4E2D, switch, "c".
    const Stored stored = {0xff, 0xfe, 'a', 'b', 0x00, 0x2d, 0x4e, 0x00, 'c'};
    EXPECT_EQ(Jet4(stored), "ab\u4e2dc");
    // One-byte characters are Latin-1, not ASCII only.
    EXPECT_EQ(Jet4({0xff, 0xfe, 'h', 0xe9}), "h\u00e9");
    // A surrogate pair in a UTF-16 run, and the text ending in that run.
    EXPECT_EQ(Jet4({0xff, 0xfe, 'x', 0x00, 0x3d, 0xd8, 0x01, 0xde}), "x\U0001F601");
    EXPECT_EQ(Jet4({0xff, 0xfe}), "");
}

TEST(CompressedText, ARunCutInTheMiddleOfACharacterIsDamage) {
    const Stored stored = {0xff, 0xfe, 'a', 0x00, 0x2d};
    EXPECT_THROW(Jet4(stored), jet::FormatError);
}

TEST(CodePageText, Windows1252BytesBecomeTheirCharacters) {
    const Stored stored = {'C', 'a', 'f', 0xe9, ' ', 0x80, ' ', 0x9c, ' ', 0x85};
    EXPECT_EQ(Decoded(jet::Version::Jet3, stored), "Café € œ …");
    // Bytes the code page leaves undefined.
    EXPECT_EQ(Decoded(jet::Version::Jet3, {0x81, 0x8d, 0x8f, 0x90, 0x9d}),
              "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    // Jet 3 text is bytes: FF FE is no mark there.
    EXPECT_EQ(Decoded(jet::Version::Jet3, {0xff, 0xfe}), "\u00ff\u00fe");
}

TEST(CodePageText, AnUnknownCodePageIsRefusedByNumber) {
    const jet::DatabaseInfo info{jet::Version::Jet3, nullptr, 932, 0};
    try {
        jet::TextDecoder decoder(info);
        FAIL() << "code page 932 accepted";
    } catch (const jet::FormatError& error) {
        EXPECT_EQ(error.kind(), jet::FormatError::Kind::Unsupported);
        EXPECT_NE(error.Message("a.mdb").find("932"), std::string::npos);
    }
}

TEST(NameFolding, NamesCompareWithoutRegardToCase) {
    EXPECT_TRUE(jet::SameName("Index", "INDEX"));
    EXPECT_TRUE(jet::SameName("Umsätze", "UMSÄTZE"));
    EXPECT_TRUE(jet::SameName("Ελλάδα", "ΕΛΛάΔΑ"));
    EXPECT_TRUE(jet::SameName("Книги", "КНИГИ"));
    EXPECT_FALSE(jet::SameName("Index", "Indexe"));
    EXPECT_FALSE(jet::SameName("Index", "Inde"));
    EXPECT_FALSE(jet::SameName("a\u00d7", "a\u00f7")); // × and ÷ are no pair
}

} // namespace
