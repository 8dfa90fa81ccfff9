#include "catalogue/filter/pattern_segment.h"

#include "catalogue/filter/utf8.h"

namespace catalogue::filter {

void PatternSegment::AddLiteral(std::string_view foldedText) {
    if (!elements_.empty() && elements_.back().kind == Kind::Literal) {
        elements_.back().literal += foldedText;
    } else {
        elements_.push_back({Kind::Literal, std::string(foldedText), CharClass()});
    }
}

void PatternSegment::AddAnyChar() {
    elements_.push_back({Kind::AnyChar, {}, CharClass()});
}

void PatternSegment::AddDigit() {
    elements_.push_back({Kind::Digit, {}, CharClass()});
}

void PatternSegment::AddClass(CharClass charClass) {
    elements_.push_back({Kind::Class, {}, std::move(charClass)});
}

bool PatternSegment::matchesCharacter(const Element& element, char32_t codePoint) {
    switch (element.kind) {
    case Kind::AnyChar:
        return true;
    case Kind::Digit:
        return codePoint >= U'0' && codePoint <= U'9';
    case Kind::Class:
        return element.charClass.Contains(codePoint);
    case Kind::Literal:
        break;
    }
    return false;
}

std::size_t PatternSegment::MatchAt(std::string_view text, std::size_t start) const {
    std::size_t pos = start;
    for (const Element& element : elements_) {
        if (element.kind == Kind::Literal) {
            if (!text.substr(pos).starts_with(element.literal)) {
                return npos;
            }
            pos += element.literal.size();
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
        const std::string& literal = elements_[i].literal;
        if (elements_[i].kind == Kind::Literal &&
            (anchor_ == npos || literal.size() > elements_[anchor_].literal.size())) {
            anchor_ = i;
            unitsBeforeAnchor_ = units;
        }
        units += elements_[i].kind == Kind::Literal ? utf8::CountUnits(literal) : 1;
    }
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
    const std::string& anchor = elements_[anchor_].literal;
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
            const std::size_t length = it->literal.size();
            if (end - from < length || text.substr(end - length, length) != it->literal) {
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
