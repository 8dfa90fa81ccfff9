#pragma once
// One catalogue table held in memory: the file it came from, its name and its rows, with the
// filters used on it. Each distinct filter text is parsed and bound to the table once, and the
// rows it matches are found lazily, front to back, and remembered; a few recent filters are kept.
// Used from one thread at a time.

#include "catalogue/catalogue_rows.h"
#include "catalogue/match_list.h"

#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// A French phrase naming a table and its file, for messages.
std::string DescribeTable(const std::string& file, const std::string& table);
// The index of a column, letter case ignored; throws CatalogueError naming the table, described
// as DescribeTable does, when there is none.
std::size_t ColumnIndexOf(const std::vector<std::string>& columns, std::string_view name,
                          const std::string& described);
// The filter parsed and bound to the columns; throws CatalogueError for a malformed filter or
// one naming a field the table lacks.
filter::BoundFilter BindCriteria(const std::string& criteria,
                                 const std::vector<std::string>& columns,
                                 const std::string& described);

class CatalogueTable {
public:
    CatalogueTable(std::string file, std::string name, CatalogueRows rows);
    // The filters point into the rows: the table stays where it was made.
    CatalogueTable(const CatalogueTable&) = delete;
    CatalogueTable& operator=(const CatalogueTable&) = delete;

    const std::string& file() const { return file_; }
    const std::string& name() const { return name_; }
    const CatalogueRows& rows() const { return rows_; }

    // The matches of a filter; throws CatalogueError for a malformed filter or an unknown field.
    // Shared, so that a find keeps its list while a scan pauses, even if the list is dropped.
    const std::shared_ptr<MatchList>& matches(const std::string& criteria);

    // The index of a column, letter case ignored; throws CatalogueError when there is none.
    std::size_t columnIndex(std::string_view name) const;

    // A French phrase naming the table and its file, for messages.
    std::string describe() const;

private:
    static constexpr std::size_t kKeptFilters = 4;

    std::string file_;
    std::string name_;
    CatalogueRows rows_;
    std::list<std::pair<std::string, std::shared_ptr<MatchList>>>
        filters_; // most recently used first
};

} // namespace catalogue
