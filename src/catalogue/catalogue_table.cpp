#include "catalogue/catalogue_table.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/filter/fold_case.h"
#include "catalogue/quoted.h"

namespace catalogue {

std::string DescribeTable(const std::string& file, const std::string& table) {
    return "la table " + Quoted(table) + " du fichier " + Quoted(file);
}

std::size_t ColumnIndexOf(const std::vector<std::string>& columns, std::string_view name,
                          const std::string& described) {
    const std::string folded = filter::FoldCase(name);
    for (std::size_t index = 0; index < columns.size(); ++index) {
        if (filter::FoldCase(columns[index]) == folded) {
            return index;
        }
    }
    throw CatalogueError("Le champ " + Quoted(name) + " est absent de " + described + ".");
}

filter::BoundFilter BindCriteria(const std::string& criteria,
                                 const std::vector<std::string>& columns,
                                 const std::string& described) {
    try {
        return filter::Filter::Parse(criteria).Bind(columns);
    } catch (const filter::FilterError& error) {
        throw CatalogueError("Recherche impossible dans " + described + " : " + error.what());
    }
}

CatalogueTable::CatalogueTable(std::string file, std::string name, CatalogueRows rows)
    : file_(std::move(file)), name_(std::move(name)), rows_(std::move(rows)) {}

std::string CatalogueTable::describe() const {
    return DescribeTable(file_, name_);
}

const std::shared_ptr<MatchList>& CatalogueTable::matches(const std::string& criteria) {
    for (auto kept = filters_.begin(); kept != filters_.end(); ++kept) {
        if (kept->first == criteria) {
            filters_.splice(filters_.begin(), filters_, kept);
            return filters_.front().second;
        }
    }
    filters_.emplace_front(criteria,
                           std::make_shared<MatchList>(
                               rows_, BindCriteria(criteria, rows_.columnNames(), describe())));
    if (filters_.size() > kKeptFilters) {
        filters_.pop_back();
    }
    return filters_.front().second;
}

std::size_t CatalogueTable::columnIndex(std::string_view name) const {
    return ColumnIndexOf(rows_.columnNames(), name, describe());
}

} // namespace catalogue
