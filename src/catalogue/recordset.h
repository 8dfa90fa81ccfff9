#pragma once
// A recordset over one catalogue table: its rows in the table's own order, a current record,
// and finds with a filter in both directions.
//
// Finds: FindFirst and FindLast make the first or last row satisfying the filter current,
// FindNext the first one after the current row, FindPrevious the last one before it. A find that
// finds nothing sets NoMatch and leaves the current record where it was, so the next find in
// either direction starts from the last record found. A fresh recordset stands on its first row
// (or on none when the table is empty).

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
    void settle(std::optional<std::size_t> found);

    std::shared_ptr<CatalogueTable> table_;
    std::size_t current_ = kNoRecord;
    bool noMatch_ = false;
};

} // namespace catalogue
