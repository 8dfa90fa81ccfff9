// Folding in bulk, sixteen ASCII bytes at a time, gives what folding each character alone gives,
// and notes exactly the bytes it changed, wherever capitals and other letters fall against its
// groups of bytes.

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
