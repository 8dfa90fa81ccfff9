// Folding in bulk, sixteen ASCII bytes or UTF-16 units at a time, gives what folding each
// character alone gives, and notes exactly the bytes it changed, wherever capitals and other
// letters fall against its groups of bytes.

#include "catalogue/filter/fold_case.h"
#include "catalogue/filter/unicode_tables.h"
#include "catalogue/filter/utf8.h"

#include <gtest/gtest.h>

using namespace catalogue::filter;

namespace {

// Each character of valid UTF-8 folded alone.
std::string foldedOneByOne(std::string_view text) {
    std::string folded;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t next = utf8::NextUnit(text, pos);
        utf8::AppendEncoded(folded, FoldCodePoint(utf8::Decode(text.substr(pos, next - pos))));
        pos = next;
    }
    return folded;
}

} // namespace

TEST(FoldIntoTest, EveryPlaceAgainstTheGroupsFoldsAsOneCharacterAlone) {
    for (const std::string_view letter : {"Q", "É", "Ω", "\xE2\x84\xAA" /* Kelvin sign */}) {
        for (std::size_t at = 0; at < 40; ++at) {
            for (const std::size_t length : {at + 1, at + 5, std::size_t(48)}) {
                std::string text(length, 'a');
                text.replace(std::min(at, length - 1), 1, letter);
                std::string out(FoldedRoom(text.size()), '\0');
                std::vector<std::size_t> changed;
                const FoldedText folded = FoldInto(text, out.data(), changed);
                out.resize(std::size_t(folded.end - out.data()));
                ASSERT_EQ(out, foldedOneByOne(text)) << letter << " at " << at;
                const bool sameLengths = out.size() == text.size();
                ASSERT_EQ(folded.sameLengths, sameLengths) << letter << " at " << at;
                if (sameLengths) {
                    std::vector<std::size_t> differing;
                    for (std::size_t k = 0; k < text.size(); ++k) {
                        if (out[k] != text[k]) {
                            differing.push_back(k);
                        }
                    }
                    ASSERT_EQ(changed, differing) << letter << " at " << at;
                }
            }
        }
    }
}

namespace {

// Text as a catalogue file stores it: UTF-16LE units.
std::string utf16Of(const std::u16string& units) {
    std::string bytes;
    for (const char16_t unit : units) {
        bytes.push_back(char(unit & 0xFF));
        bytes.push_back(char(unit >> 8));
    }
    return bytes;
}

} // namespace

TEST(FoldIntoTest, UnitsOfUtf16FoldAsTheirUtf8DoesWhereverTheyFall) {
    struct Character {
        std::u16string units;
        std::string utf8; // as the file's reader reads it
    };
    const std::vector<Character> characters{
        {u"Q", "Q"},
        {u"É", "É"},
        {u"Ω", "Ω"},
        {u"\u212A", "\xE2\x84\xAA"},                           // Kelvin sign: folds shorter
        {u"\U00010400", "\xF0\x90\x90\x80"},                   // beyond the first plane
        {std::u16string(1, char16_t(0xD801)), "\xEF\xBF\xBD"}, // a high surrogate alone
        {std::u16string(1, char16_t(0xDC00)), "\xEF\xBF\xBD"}, // a low surrogate alone
    };
    for (const Character& character : characters) {
        for (std::size_t at = 0; at < 40; ++at) {
            for (const std::size_t length : {at + 1, at + 9, std::size_t(48)}) {
                const std::size_t place = std::min(at, length - 1);
                std::u16string units(length, u'A');
                units.replace(place, 1, character.units);
                std::string text(length, 'A');
                text.replace(place, 1, character.utf8);
                const std::string stored = utf16Of(units);

                std::string original(Utf16FoldRoom(stored.size()), '\0');
                std::string out(Utf16FoldRoom(stored.size()), '\0');
                std::vector<std::size_t> changed;
                const Utf16Fold fold = FoldUtf16Into(stored, original.data(), out.data(), changed);
                original.resize(std::size_t(fold.originalEnd - original.data()));
                out.resize(std::size_t(fold.folded.end - out.data()));
                ASSERT_EQ(original, text) << character.utf8 << " at " << at;
                ASSERT_EQ(out, FoldCase(text)) << character.utf8 << " at " << at;
                std::string alone(Utf16FoldRoom(stored.size()), '\0');
                alone.resize(std::size_t(FoldUtf16(stored, alone.data()) - alone.data()));
                ASSERT_EQ(alone, out) << character.utf8 << " at " << at;
                ASSERT_EQ(fold.folded.sameLengths, out.size() == text.size()) << at;
                if (fold.folded.sameLengths) {
                    std::vector<std::size_t> differing;
                    for (std::size_t k = 0; k < text.size(); ++k) {
                        if (out[k] != text[k]) {
                            differing.push_back(k);
                        }
                    }
                    ASSERT_EQ(changed, differing) << character.utf8 << " at " << at;
                }
            }
        }
    }
}

namespace {

// Occurrences of needle in text, overlapping ones counted.
std::size_t occurrences(std::string_view text, std::string_view needle) {
    std::size_t count = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace

// ASCII text is found as often in the plainer fold as in the real one, wherever a character
// that is not ASCII, or folds into it, falls against the groups of sixteen units.
TEST(FoldIntoTest, AsciiTextIsFoundInTheSearchFoldAsInTheFold) {
    const std::vector<std::u16string> characters{
        u"\u212A",
        u"\u017F",
        u"\u0130",
        u"\u00C9",
        u"\u00E9",
        u"\uFF2B",
        u"\u9000",
        u"\U00010400",
        std::u16string(1, char16_t(0xD801)),
        std::u16string(1, char16_t(0)),
    };
    const std::vector<std::string> needles{"k", "s", "ak", "ka", "sa", "as", "aka", "i", "aa"};
    for (const std::u16string& character : characters) {
        for (std::size_t at = 0; at < 40; ++at) {
            std::u16string units(41, u'a');
            units.replace(at, 1, character);
            units[(at + 17) % 41] = u'K';
            units[(at + 23) % 41] = u'S';
            const std::string stored = utf16Of(units);
            std::string search(stored.size() / 2, '\0');
            ASSERT_EQ(FoldUtf16ForAsciiSearch(stored, search.data()),
                      search.data() + search.size());
            std::string folded(Utf16FoldRoom(stored.size()), '\0');
            folded.resize(std::size_t(FoldUtf16(stored, folded.data()) - folded.data()));
            for (const std::string& needle : needles) {
                ASSERT_EQ(occurrences(search, needle), occurrences(folded, needle))
                    << needle << " with U+" << std::hex << unsigned(character[0]) << " at " << at;
            }
        }
    }
}

// The search fold counts on these two being the only characters beyond ASCII that fold into it.
TEST(FoldIntoTest, OnlyTheLongSAndTheKelvinSignFoldIntoAscii) {
    std::vector<char32_t> intoAscii;
    for (char32_t c = 0x80; c < 0x110000; ++c) {
        if ((c < 0xD800 || c > 0xDFFF) && FoldCodePoint(c) < 0x80) {
            intoAscii.push_back(c);
        }
    }
    EXPECT_EQ(intoAscii, (std::vector<char32_t>{0x017F, 0x212A}));
}
