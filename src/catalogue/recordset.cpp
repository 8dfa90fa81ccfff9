#include "catalogue/recordset.h"

#include "catalogue/catalogue_error.h"

namespace catalogue {

Recordset::Recordset(std::shared_ptr<CatalogueTable> table)
    : table_(std::move(table)), current_(table_->rows().rowCount() > 0 ? 0 : kNoRecord) {}

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

void Recordset::FindFirst(const std::string& criteria) {
    find(criteria, [](MatchList& matches) { return matches.first(); });
}

void Recordset::FindLast(const std::string& criteria) {
    find(criteria, [](MatchList& matches) { return matches.last(); });
}

void Recordset::FindNext(const std::string& criteria) {
    find(criteria, [this](MatchList& matches) {
        return current_ == kNoRecord ? matches.first() : matches.after(current_);
    });
}

void Recordset::FindPrevious(const std::string& criteria) {
    find(criteria, [this](MatchList& matches) {
        return current_ == kNoRecord ? std::nullopt : matches.before(current_);
    });
}

Field Recordset::Fields(std::string_view name) const {
    if (current_ == kNoRecord) {
        throw CatalogueError("Aucun enregistrement courant dans " + table_->describe() + ".");
    }
    return Field(table_->rows().value(current_, table_->columnIndex(name)));
}

} // namespace catalogue
