#pragma once
// A piece of a like pattern between two stars: a fixed sequence of literal text and
// one-character matchers (?, #, bracket classes). Because a segment holds no star, it matches at a
// given place in one way only, which keeps whole-pattern matching free of backtracking.

#include "catalogue/filter/char_class.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue::filter {

class PatternSegment {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    void AddLiteral(std::string_view foldedText); // joins a literal that comes right before
    void AddAnyChar();
    void AddDigit();
    void AddClass(CharClass charClass);
    bool empty() const { return elements_.empty(); }
    // Picks the longest literal as the text that FindFrom searches for first; called once the
    // segment is complete.
    void ChooseAnchor();
    // That longest literal, which every match holds; empty when the segment has none.
    std::string_view Anchor() const;
    // Whether the segment is that literal alone.
    bool IsLiteral() const { return elements_.size() == 1 && anchor_ == 0; }

    // All positions are byte offsets into case-folded text.
    // The end of a match that starts exactly at start, or npos.
    std::size_t MatchAt(std::string_view text, std::size_t start) const;
    // The end of the leftmost match that starts at from or later, or npos.
    std::size_t FindFrom(std::string_view text, std::size_t from) const;
    // The start of a match that ends at the end of text and starts at from or later, or npos.
    std::size_t MatchSuffix(std::string_view text, std::size_t from) const;

private:
    enum class Kind : std::uint32_t { Literal, AnyChar, Digit, Class };
    // Kept small, since a long pattern of ? has one element per character.
    struct Element {
        Kind kind;
        std::uint32_t index; // into literals_ or classes_
    };

    const std::string& literalOf(const Element& element) const { return literals_[element.index]; }
    bool matchesCharacter(const Element& element, char32_t codePoint) const;
    std::size_t startBefore(std::string_view text, std::size_t anchorAt, std::size_t from) const;

    std::vector<Element> elements_;
    std::vector<std::string> literals_;
    std::vector<CharClass> classes_;
    std::size_t anchor_ = npos;         // index of the literal searched for first
    std::size_t unitsBeforeAnchor_ = 0; // characters the segment holds before it
};

} // namespace catalogue::filter
