#include "catalogue/match_list.h"

#include <algorithm>

namespace catalogue {

MatchList::MatchList(const CatalogueRows& rows, filter::BoundFilter filter)
    : rows_(&rows), filter_(std::move(filter)), cells_(rows.columnCount()) {}

bool MatchList::scanToNextMatch() {
    const std::size_t rowCount = rows_->rowCount();
    while (scanned_ < rowCount) {
        const std::size_t row = scanned_++;
        rows_->foldedRow(row, cells_);
        if (filter_.Matches(cells_)) {
            found_.push_back(std::uint32_t(row));
            return true;
        }
    }
    return false;
}

void MatchList::scanToEnd() {
    while (scanToNextMatch()) {
    }
}

std::optional<std::size_t> MatchList::first() {
    if (found_.empty() && !scanToNextMatch()) {
        return std::nullopt;
    }
    return found_.front();
}

std::optional<std::size_t> MatchList::last() {
    scanToEnd();
    if (found_.empty()) {
        return std::nullopt;
    }
    return found_.back();
}

std::optional<std::size_t> MatchList::after(std::size_t row) {
    const auto known = std::upper_bound(found_.begin(), found_.end(), row);
    if (known != found_.end()) {
        return *known;
    }
    while (scanToNextMatch()) {
        if (found_.back() > row) {
            return found_.back();
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> MatchList::before(std::size_t row) {
    while (scanned_ < row && scanToNextMatch()) {
    }
    const auto next = std::lower_bound(found_.begin(), found_.end(), row);
    if (next == found_.begin()) {
        return std::nullopt;
    }
    return *(next - 1);
}

} // namespace catalogue
