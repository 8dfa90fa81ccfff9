// Every way of searching that the processor runs answers as a plain search does, wherever the
// needle falls against the registers' blocks and the text's end, and whatever near misses lie
// before it.

#include "catalogue/filter/text_search.h"

#include <gtest/gtest.h>

#include <string>

using namespace catalogue::filter;

namespace {

// The offset FindText-like finders give, or npos.
std::size_t found(TextFinder find, std::string_view text, std::string_view needle) {
    const char* at = find(text.data(), text.data() + text.size(), needle);
    return at == nullptr ? std::string_view::npos : std::size_t(at - text.data());
}

} // namespace

TEST(TextSearchTest, EveryFinderAnswersAsThePlainSearchWhereverTheNeedleFalls) {
    const std::vector<TextFinder> finders = TextFinders();
    ASSERT_FALSE(finders.empty());
    for (const std::string needle : {"j", "le", "jeu", "jazz", "xylophone-ab"}) {
        // Near misses: the first and last bytes right, the middle wrong.
        std::string nearMiss = needle;
        if (nearMiss.size() > 2) {
            nearMiss[1] = '#';
        }
        for (std::size_t length = needle.size(); length < 150; length += 7) {
            for (std::size_t at = 0; at + needle.size() <= length; ++at) {
                std::string text(length, 'a');
                for (std::size_t k = 0; k + nearMiss.size() <= at; k += nearMiss.size() + 3) {
                    text.replace(k, nearMiss.size(), nearMiss);
                }
                text.replace(at, needle.size(), needle);
                const std::size_t expected = text.find(needle);
                for (std::size_t k = 0; k < finders.size(); ++k) {
                    ASSERT_EQ(found(finders[k], text, needle), expected)
                        << "finder " << k << ", " << needle << " at " << at << " of " << length;
                }
                ASSERT_EQ(found(FindText, text, needle), expected);
                // Cut just before the needle's last byte, it is not there.
                const std::string_view cut(text.data(), at + needle.size() - 1);
                ASSERT_EQ(found(FindText, cut, needle), cut.find(needle));
            }
        }
    }
}
