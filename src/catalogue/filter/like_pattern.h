#pragma once
// A compiled like pattern: * any run of characters (the empty one too), ? one character, # one
// digit 0-9, [abc] one of, [a-z] a range, [!a-z] none of, and every other character itself. A
// bracket holding a single character, as in [*] or [[], stands for that character; a ] outside
// brackets is itself; [] stands for nothing. Letter case is ignored: the pattern is case-folded
// here and the text must be case-folded by the caller (FoldCase).
//
// The pattern is cut at its stars into segments. Each segment is found at its leftmost place
// after the previous one, the first is tied to the start and the last to the end of the text
// unless a star stands there; this gives the right answer without backtracking, in time at worst
// proportional to text length times pattern length. A segment that is plain text, such as jeu in
// *jeu*, is found by substring search.

#include "catalogue/filter/pattern_segment.h"

#include <string_view>
#include <vector>

namespace catalogue::filter {

class LikePattern {
public:
    // Throws FilterError for an unterminated bracket or a reversed range such as [z-a].
    static LikePattern Compile(std::string_view pattern);

    bool Matches(std::string_view foldedText) const;

    // A folded text that every matching text holds (the longest literal of the pattern), or
    // empty when the pattern has none, as with *, ? or [a-z].
    std::string_view RequiredText() const;
    // Whether the pattern is *text* with text a plain literal: then it matches exactly the texts
    // that hold RequiredText().
    bool IsContains() const {
        return leadingStar_ && trailingStar_ && segments_.size() == 1 &&
               segments_.front().IsLiteral();
    }

private:
    std::vector<PatternSegment> segments_;
    bool leadingStar_ = false;
    bool trailingStar_ = false;
};

} // namespace catalogue::filter
