#include "catalogue/filter/pattern_segment.h"

#include "catalogue/filter/utf8.h"

namespace catalogue::filter {

void PatternSegment::AddLiteral(std::string_view foldedText) {
    if (!elements_.empty() && elements_.back().kind == Kind::Literal) {
        literals_.back() += foldedText;
        return;
    }
    elements_.push_back({Kind::Literal, std::uint32_t(literals_.size())});
    literals_.emplace_back(foldedText);
}

void PatternSegment::AddAnyChar() {
    elements_.push_back({Kind::AnyChar, 0});
}

void PatternSegment::AddDigit() {
    elements_.push_back({Kind::Digit, 0});
}

void PatternSegment::AddClass(CharClass charClass) {
    elements_.push_back({Kind::Class, std::uint32_t(classes_.size())});
    classes_.push_back(std::move(charClass));
}

bool PatternSegment::matchesCharacter(const Element& element, char32_t codePoint) const {
    switch (element.kind) {
    case Kind::AnyChar:
        return true;
    case Kind::Digit:
        return codePoint >= U'0' && codePoint <= U'9';
    case Kind::Class:
        return classes_[element.index].Contains(codePoint);
    case Kind::Literal:
        break;
    }
    return false;
}

std::size_t PatternSegment::MatchAt(std::string_view text, std::size_t start) const {
    std::size_t pos = start;
    for (const Element& element : elements_) {
        if (element.kind == Kind::Literal) {
            if (!text.substr(pos).starts_with(literalOf(element))) {
                return npos;
            }
            pos += literalOf(element).size();
            continue;
        }
        if (pos >= text.size()) {
            return npos;
        }
        const std::size_t next = utf8::NextUnit(text, pos);
        if (!matchesCharacter(element, utf8::Decode(text.substr(pos, next - pos)))) {
            return npos;
        }
        pos = next;
    }
    return pos;
}

void PatternSegment::ChooseAnchor() {
    std::size_t units = 0;
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        if (elements_[i].kind != Kind::Literal) {
            ++units;
            continue;
        }
        const std::string& literal = literalOf(elements_[i]);
        if (anchor_ == npos || literal.size() > literalOf(elements_[anchor_]).size()) {
            anchor_ = i;
            unitsBeforeAnchor_ = units;
        }
        units += utf8::CountUnits(literal);
    }
}

std::string_view PatternSegment::Anchor() const {
    return anchor_ == npos ? std::string_view() : std::string_view(literalOf(elements_[anchor_]));
}

// Where the segment starts when its anchor lies at anchorAt, or npos if it would start before
// from.
std::size_t PatternSegment::startBefore(std::string_view text, std::size_t anchorAt,
                                        std::size_t from) const {
    std::size_t start = anchorAt;
    for (std::size_t i = 0; i < unitsBeforeAnchor_; ++i) {
        if (start <= from) {
            return npos;
        }
        start = utf8::PreviousUnit(text, start);
    }
    return start < from ? npos : start;
}

std::size_t PatternSegment::FindFrom(std::string_view text, std::size_t from) const {
    if (anchor_ == npos) {
        for (std::size_t at = from; at < text.size(); at = utf8::NextUnit(text, at)) {
            const std::size_t end = MatchAt(text, at);
            if (end != npos) {
                return end;
            }
        }
        return npos;
    }
    // Let the substring search skip to the places where the anchor lies; as those places go
    // up so do the segment's possible starts, so the first that matches is the leftmost.
    const std::string& anchor = literalOf(elements_[anchor_]);
    for (std::size_t at = text.find(anchor, from); at != npos; at = text.find(anchor, at + 1)) {
        if (elements_.size() == 1) {
            return at + anchor.size();
        }
        const std::size_t start = startBefore(text, at, from);
        const std::size_t end = start == npos ? npos : MatchAt(text, start);
        if (end != npos) {
            return end;
        }
    }
    return npos;
}

std::size_t PatternSegment::MatchSuffix(std::string_view text, std::size_t from) const {
    std::size_t end = text.size();
    for (auto it = elements_.rbegin(); it != elements_.rend(); ++it) {
        if (it->kind == Kind::Literal) {
            const std::size_t length = literalOf(*it).size();
            if (end - from < length || text.substr(end - length, length) != literalOf(*it)) {
                return npos;
            }
            end -= length;
            continue;
        }
        if (end <= from) {
            return npos;
        }
        const std::size_t start = utf8::PreviousUnit(text, end);
        if (start < from || !matchesCharacter(*it, utf8::Decode(text.substr(start, end - start)))) {
            return npos;
        }
        end = start;
    }
    return end;
}

} // namespace catalogue::filter
