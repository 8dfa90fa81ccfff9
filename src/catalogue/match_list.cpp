#include "catalogue/match_list.h"

#include "catalogue/scan_pause.h"

#include <algorithm>
#include <iterator>

namespace catalogue {
namespace {

// Rows tested between two pauses of a scan that tests row after row.
constexpr std::size_t kRowsBetweenPauses = 4096;

} // namespace

MatchList::MatchList(const CatalogueRows& rows, filter::BoundFilter filter)
    : rows_(&rows), filter_(std::move(filter)), needs_(filter_.Needs()),
      cells_(rows.columnCount()) {}

std::vector<std::uint32_t> MatchList::rowsWithNeeds() const {
    std::vector<std::uint32_t> rows;
    std::vector<std::uint32_t> holding;
    std::vector<std::uint32_t> both;
    for (const filter::RowNeeds::Need& need : needs_->anyOf) {
        holding.clear();
        rows_->rowsHolding(need.text, need.columns, holding, [] { PauseScan(); });
        if (rows.empty()) {
            rows.swap(holding);
            continue;
        }
        both.clear();
        std::set_union(rows.begin(), rows.end(), holding.begin(), holding.end(),
                       std::back_inserter(both));
        rows.swap(both);
    }
    return rows;
}

void MatchList::findByNeeds() {
    std::vector<std::uint32_t> rows = rowsWithNeeds();
    if (!needs_->exact) {
        std::vector<std::optional<std::string_view>> cells(rows_->columnCount());
        std::size_t tested = 0;
        std::erase_if(rows, [&](std::uint32_t row) {
            if (++tested % kRowsBetweenPauses == 0) {
                PauseScan();
            }
            rows_->foldedRow(row, cells);
            return !filter_.Matches(cells);
        });
    }
    // A find run from a pause may have found them all meanwhile.
    if (scanned_ < rows_->rowCount()) {
        found_ = std::move(rows);
        scanned_ = rows_->rowCount();
    }
}

bool MatchList::scanToNextMatch() {
    if (needs_) {
        if (scanned_ < rows_->rowCount()) {
            findByNeeds();
        }
        return false;
    }
    while (scanned_ < rows_->rowCount()) {
        // A find run from the pause may scan on: the next row to test is looked up afterwards.
        if (++testedSincePause_ == kRowsBetweenPauses) {
            testedSincePause_ = 0;
            PauseScan();
            continue;
        }
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
    while (found_.empty() && scanToNextMatch()) {
    }
    if (found_.empty()) {
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
    // Counting steps from each match to the next: the answer is usually the one after the last.
    if (lastAnswer_ + 1 < found_.size() && found_[lastAnswer_] == row) {
        return found_[++lastAnswer_];
    }
    while ((found_.empty() || found_.back() <= row) && scanToNextMatch()) {
    }
    const auto next = std::upper_bound(found_.begin(), found_.end(), row);
    if (next == found_.end()) {
        return std::nullopt;
    }
    lastAnswer_ = std::size_t(next - found_.begin());
    return *next;
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
