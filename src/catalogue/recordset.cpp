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

void Recordset::FindFirst(const QString& criteria) {
    settle(table_->matches(criteria).first());
}

void Recordset::FindLast(const QString& criteria) {
    settle(table_->matches(criteria).last());
}

void Recordset::FindNext(const QString& criteria) {
    MatchList& matches = table_->matches(criteria);
    settle(current_ == kNoRecord ? matches.first() : matches.after(current_));
}

void Recordset::FindPrevious(const QString& criteria) {
    MatchList& matches = table_->matches(criteria);
    settle(current_ == kNoRecord ? std::nullopt : matches.before(current_));
}

Field Recordset::Fields(const QString& name) const {
    if (current_ == kNoRecord) {
        throw CatalogueError("Aucun enregistrement courant dans " + table_->describe() + ".");
    }
    return Field(table_->rows().value(current_, table_->columnIndex(name)));
}

} // namespace catalogue
