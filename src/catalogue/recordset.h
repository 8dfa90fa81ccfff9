#pragma once
// A recordset over one catalogue table: its rows in the table's own order, a current record,
// and finds with a filter in both directions.
//
// Finds: FindFirst and FindLast make the first or last row satisfying the filter current,
// FindNext the first one after the current row, FindPrevious the last one before it. A find that
// finds nothing sets NoMatch and leaves the current record where it was, so the next find in
// either direction starts from the last record found. A fresh recordset stands on its first row
// (or on none when the table is empty).
//
// A recordset may be opened over a table whose rows are still being read: its finds are then
// answered from the reading helper's answers, and the rows they find shown from them, until the
// whole table has come; anything those answers do not hold waits for it. A failure found in the
// rows is thrown by the find or field that needed them.

#include "catalogue/catalogue_store.h"
#include "catalogue/catalogue_table.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

class Field {
public:
    explicit Field(std::optional<std::string> value) : value_(std::move(value)) {}

    // The value in UTF-8; nullopt is a database null.
    const std::optional<std::string>& Value() const { return value_; }

private:
    std::optional<std::string> value_;
};

class Recordset {
public:
    explicit Recordset(std::shared_ptr<CatalogueTable> table);
    explicit Recordset(TableSource source);

    // Each throws CatalogueError for a malformed filter or one naming a field the table lacks.
    void FindFirst(const std::string& criteria);
    void FindNext(const std::string& criteria);
    void FindPrevious(const std::string& criteria);
    void FindLast(const std::string& criteria);

    // True exactly when the last find found nothing.
    bool NoMatch() const { return noMatch_; }

    // The named field of the current record, letter case ignored. Throws CatalogueError when
    // there is no current record or no such field.
    Field Fields(std::string_view name) const;

private:
    static constexpr std::size_t kNoRecord = static_cast<std::size_t>(-1);

    template <typename How> void find(const std::string& criteria, How how);
    template <typename How> void findAnswered(const std::string& criteria, How how);
    void settle(std::optional<std::size_t> found);
    // Takes the whole table over from the pending one once it is read; false while it is not.
    bool wholeTaken() const;
    void takeWhole(std::shared_ptr<CatalogueTable> table) const;
    std::string describe() const;

    // Exactly one of them is set; the pending table gives way to the whole one, when a field is
    // read among other times.
    mutable std::shared_ptr<CatalogueTable> table_;
    mutable std::shared_ptr<PendingTable> pending_;
    mutable std::size_t current_ = kNoRecord;
    bool noMatch_ = false;
};

} // namespace catalogue
