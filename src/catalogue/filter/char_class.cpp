#include "catalogue/filter/char_class.h"

#include "catalogue/filter/fold_case.h"
#include "catalogue/filter/unicode_tables.h"

#include <algorithm>

namespace catalogue::filter {

void CharClass::AddRange(char32_t first, char32_t last) {
    add(first, last);
    const char32_t foldedFirst = FoldCodePoint(first);
    const char32_t foldedLast = FoldCodePoint(last);
    if (foldedFirst <= foldedLast && (foldedFirst != first || foldedLast != last)) {
        add(foldedFirst, foldedLast);
    }
}

void CharClass::add(char32_t first, char32_t last) {
    for (char32_t c = first; c <= last && c < kAscii; ++c) {
        ascii_.set(c);
    }
    if (last >= kAscii) {
        ranges_.emplace_back(std::max(first, kAscii), last);
    }
}

bool CharClass::listedBeyondAscii(char32_t codePoint) const {
    return std::any_of(ranges_.begin(), ranges_.end(), [codePoint](const auto& range) {
        return codePoint >= range.first && codePoint <= range.second;
    });
}

} // namespace catalogue::filter
