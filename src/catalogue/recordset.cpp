#include "catalogue/recordset.h"

#include "catalogue/answered_matches.h"
#include "catalogue/catalogue_error.h"

namespace catalogue {

Recordset::Recordset(std::shared_ptr<CatalogueTable> table)
    : table_(std::move(table)), current_(table_->rows().rowCount() > 0 ? 0 : kNoRecord) {}

// On the first row, provisionally: the whole table tells whether it has one.
Recordset::Recordset(TableSource source)
    : table_(std::move(source.whole)), pending_(std::move(source.pending)), current_(0) {
    if (table_ && table_->rows().rowCount() == 0) {
        current_ = kNoRecord;
    }
}

bool Recordset::wholeTaken() const {
    if (pending_) {
        std::shared_ptr<CatalogueTable> whole = pending_->WholeIfRead();
        if (!whole) {
            return false;
        }
        takeWhole(std::move(whole));
    }
    return true;
}

void Recordset::takeWhole(std::shared_ptr<CatalogueTable> table) const {
    table_ = std::move(table);
    pending_.reset();
    if (current_ != kNoRecord && current_ >= table_->rows().rowCount()) {
        current_ = kNoRecord;
    }
}

std::string Recordset::describe() const {
    return pending_ ? pending_->describe() : table_->describe();
}

void Recordset::settle(std::optional<std::size_t> found) {
    noMatch_ = !found;
    if (found) {
        current_ = *found;
    }
}

// A find that may scan holds the table and its list of matches while it runs, since the scan
// pauses for events, which may replace this recordset's table or drop the list. Once the list
// is complete, finds are lookups, done without that (the count runs one find per match).
template <typename How> void Recordset::find(const std::string& criteria, How how) {
    if (!wholeTaken()) {
        findAnswered(criteria, how);
        return;
    }
    MatchList& matches = *table_->matches(criteria);
    if (matches.complete()) {
        settle(how(matches));
        return;
    }
    const std::shared_ptr<CatalogueTable> table = table_;
    const std::shared_ptr<MatchList> kept = table->matches(criteria);
    const std::optional<std::size_t> found = how(*kept);
    // A search run from a pause may have pointed this recordset at another table: it stays as
    // that search left it, since a row of the old table means nothing in the new one.
    if (table_ == table) {
        settle(found);
    }
}

// Waits for the helper's answer, or for the whole table when none comes; events run meanwhile
// may point this recordset elsewhere, and it then stays as they left it, failures of this find
// included.
template <typename How> void Recordset::findAnswered(const std::string& criteria, How how) {
    const std::shared_ptr<PendingTable> pending = pending_;
    std::shared_ptr<const FilterAnswer> answer;
    std::shared_ptr<CatalogueTable> whole;
    try {
        answer = pending->Matches(criteria);
        if (!answer) {
            whole = pending->Whole();
        }
    } catch (...) {
        if (pending_ != pending) {
            return;
        }
        throw;
    }
    if (pending_ != pending) {
        return;
    }
    if (whole) {
        takeWhole(std::move(whole));
        find(criteria, how);
        return;
    }
    AnsweredMatches matches(answer->matches);
    settle(how(matches));
}

void Recordset::FindFirst(const std::string& criteria) {
    find(criteria, [](auto& matches) { return matches.first(); });
}

void Recordset::FindLast(const std::string& criteria) {
    find(criteria, [](auto& matches) { return matches.last(); });
}

void Recordset::FindNext(const std::string& criteria) {
    find(criteria, [this](auto& matches) {
        return current_ == kNoRecord ? matches.first() : matches.after(current_);
    });
}

void Recordset::FindPrevious(const std::string& criteria) {
    find(criteria, [this](auto& matches) {
        return current_ == kNoRecord ? std::nullopt : matches.before(current_);
    });
}

Field Recordset::Fields(std::string_view name) const {
    if (current_ != kNoRecord && !wholeTaken()) {
        if (auto shown = pending_->ShownValue(current_, name)) {
            return Field(std::move(*shown));
        }
        const std::shared_ptr<PendingTable> pending = pending_;
        std::shared_ptr<CatalogueTable> whole = pending->Whole();
        if (pending_ != pending) {
            return Fields(name); // events run meanwhile pointed this recordset elsewhere
        }
        takeWhole(std::move(whole));
    }
    if (current_ == kNoRecord) {
        throw CatalogueError("Aucun enregistrement courant dans " + describe() + ".");
    }
    return Field(table_->rows().value(current_, table_->columnIndex(name)));
}

} // namespace catalogue
