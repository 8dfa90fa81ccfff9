#include "catalogue/filter/char_class.h"

#include "catalogue/filter/fold_case.h"

#include <algorithm>

namespace catalogue::filter {

void CharClass::AddRange(char32_t first, char32_t last) {
    ranges_.emplace_back(first, last);
    const char32_t foldedFirst = FoldCodePoint(first);
    const char32_t foldedLast = FoldCodePoint(last);
    if (foldedFirst <= foldedLast && (foldedFirst != first || foldedLast != last)) {
        ranges_.emplace_back(foldedFirst, foldedLast);
    }
}

bool CharClass::Contains(char32_t codePoint) const {
    const bool listed = std::any_of(ranges_.begin(), ranges_.end(), [codePoint](const auto& r) {
        return codePoint >= r.first && codePoint <= r.second;
    });
    return listed != negated_;
}

} // namespace catalogue::filter
