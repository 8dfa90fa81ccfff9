#include "catalogue/answered_matches.h"

#include <algorithm>

namespace catalogue {

std::optional<std::size_t> AnsweredMatches::first() const {
    if (rows_.empty()) {
        return std::nullopt;
    }
    return rows_.front();
}

std::optional<std::size_t> AnsweredMatches::last() const {
    if (rows_.empty()) {
        return std::nullopt;
    }
    return rows_.back();
}

std::optional<std::size_t> AnsweredMatches::after(std::size_t row) const {
    const auto next = std::upper_bound(rows_.begin(), rows_.end(), row);
    if (next == rows_.end()) {
        return std::nullopt;
    }
    return *next;
}

std::optional<std::size_t> AnsweredMatches::before(std::size_t row) const {
    const auto previous = std::lower_bound(rows_.begin(), rows_.end(), row);
    if (previous == rows_.begin()) {
        return std::nullopt;
    }
    return *(previous - 1);
}

} // namespace catalogue
