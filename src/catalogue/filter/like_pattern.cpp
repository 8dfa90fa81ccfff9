#include "catalogue/filter/like_pattern.h"

#include "catalogue/filter/filter_error.h"
#include "catalogue/filter/fold_case.h"
#include "catalogue/filter/utf8.h"

namespace catalogue::filter {
namespace {

std::vector<char32_t> decodeAll(std::string_view text) {
    std::vector<char32_t> codePoints;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t next = utf8::NextUnit(text, pos);
        codePoints.push_back(utf8::Decode(text.substr(pos, next - pos)));
        pos = next;
    }
    return codePoints;
}

// Builds the class from what stands between the brackets (not empty, not a single character).
// A hyphen between two characters makes a range; at either end it stands for itself.
CharClass makeClass(std::string_view members, std::string_view pattern) {
    const bool negated = members.front() == '!';
    const std::vector<char32_t> codePoints = decodeAll(negated ? members.substr(1) : members);
    CharClass charClass(negated);
    for (std::size_t i = 0; i < codePoints.size();) {
        if (i + 2 < codePoints.size() && codePoints[i + 1] == U'-') {
            if (codePoints[i] > codePoints[i + 2]) {
                throw IncorrectFilter("intervalle inversé entre crochets dans le motif " +
                                      QuotedPiece(pattern) + ".");
            }
            charClass.AddRange(codePoints[i], codePoints[i + 2]);
            i += 3;
        } else {
            charClass.AddRange(codePoints[i], codePoints[i]);
            ++i;
        }
    }
    return charClass;
}

class PatternCompiler {
public:
    explicit PatternCompiler(std::string_view pattern) : pattern_(pattern) {}

    void Run(std::vector<PatternSegment>& segments, bool& leadingStar, bool& trailingStar) {
        for (std::size_t pos = 0; pos < pattern_.size();) {
            pos = step(pos);
        }
        endSegment();
        segments = std::move(segments_);
        leadingStar = leadingStar_;
        trailingStar = trailingStar_;
    }

private:
    // Reads the pattern element at pos and returns where the next one starts.
    std::size_t step(std::size_t pos) {
        const char c = pattern_[pos];
        if (c == '*') {
            endSegment();
            leadingStar_ = leadingStar_ || segments_.empty();
            trailingStar_ = true;
            return pos + 1;
        }
        if (c == '[') {
            return bracket(pos);
        }
        const std::size_t next = utf8::NextUnit(pattern_, pos);
        trailingStar_ = false;
        if (c == '?') {
            flushLiteral();
            current_.AddAnyChar();
        } else if (c == '#') {
            flushLiteral();
            current_.AddDigit();
        } else {
            literal_ += pattern_.substr(pos, next - pos);
        }
        return next;
    }

    std::size_t bracket(std::size_t open) {
        const std::size_t close = pattern_.find(']', open + 1);
        if (close == std::string_view::npos) {
            throw IncorrectFilter("crochet " + QuotedPiece("[") + " sans " + QuotedPiece("]") +
                                  " dans le motif " + QuotedPiece(pattern_) + ".");
        }
        const std::string_view members = pattern_.substr(open + 1, close - open - 1);
        if (members.empty()) {
            return close + 1;
        }
        trailingStar_ = false;
        if (utf8::NextUnit(members, 0) == members.size()) {
            literal_ += members; // [*], [?], [#], [[], [!]: the character itself
        } else {
            flushLiteral();
            current_.AddClass(makeClass(members, pattern_));
        }
        return close + 1;
    }

    void flushLiteral() {
        if (!literal_.empty()) {
            current_.AddLiteral(FoldCase(literal_));
            literal_.clear();
        }
    }

    void endSegment() {
        flushLiteral();
        if (!current_.empty()) {
            current_.ChooseAnchor();
            segments_.push_back(std::move(current_));
            current_ = PatternSegment();
        }
    }

    std::string_view pattern_;
    std::string literal_; // characters read but not yet folded into current_
    PatternSegment current_;
    std::vector<PatternSegment> segments_;
    bool leadingStar_ = false;
    bool trailingStar_ = false;
};

} // namespace

LikePattern LikePattern::Compile(std::string_view pattern) {
    LikePattern compiled;
    PatternCompiler(pattern).Run(compiled.segments_, compiled.leadingStar_, compiled.trailingStar_);
    return compiled;
}

std::string_view LikePattern::RequiredText() const {
    std::string_view longest;
    for (const PatternSegment& segment : segments_) {
        if (segment.Anchor().size() > longest.size()) {
            longest = segment.Anchor();
        }
    }
    return longest;
}

bool LikePattern::Matches(std::string_view text) const {
    if (segments_.empty()) {
        return leadingStar_ || text.empty();
    }
    std::size_t pos = 0;
    std::size_t first = 0;
    std::size_t last = segments_.size();
    if (!leadingStar_) {
        pos = segments_.front().MatchAt(text, 0);
        if (pos == PatternSegment::npos) {
            return false;
        }
        if (!trailingStar_ && last == 1) {
            return pos == text.size();
        }
        first = 1;
    }
    if (!trailingStar_) {
        --last;
    }
    for (std::size_t i = first; i < last; ++i) {
        pos = segments_[i].FindFrom(text, pos);
        if (pos == PatternSegment::npos) {
            return false;
        }
    }
    return trailingStar_ || segments_.back().MatchSuffix(text, pos) != PatternSegment::npos;
}

} // namespace catalogue::filter
