#pragma once
// A bracket class of a like pattern, such as [abc], [a-z] or [!0-9]: one character that is (or,
// negated, is not) among the listed characters and ranges. Matched against case-folded text.

#include <bitset>
#include <utility>
#include <vector>

namespace catalogue::filter {

class CharClass {
public:
    explicit CharClass(bool negated = false) : negated_(negated) {}

    // Adds first..last as written and as case-folded, so [A-Z] and [a-z] both take folded text.
    void AddRange(char32_t first, char32_t last);

    bool Contains(char32_t codePoint) const {
        const bool listed = codePoint < kAscii ? ascii_[codePoint] : listedBeyondAscii(codePoint);
        return listed != negated_;
    }

private:
    static constexpr char32_t kAscii = 128;

    void add(char32_t first, char32_t last);
    bool listedBeyondAscii(char32_t codePoint) const;

    std::bitset<kAscii> ascii_; // the ASCII characters listed, looked up directly
    std::vector<std::pair<char32_t, char32_t>> ranges_;
    bool negated_;
};

} // namespace catalogue::filter
