#include "catalogue/catalogue_table.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/filter/fold_case.h"
#include "catalogue/quoted.h"

namespace catalogue {

CatalogueTable::CatalogueTable(std::string file, std::string name, CatalogueRows rows)
    : file_(std::move(file)), name_(std::move(name)), rows_(std::move(rows)) {}

std::string CatalogueTable::describe() const {
    return "la table " + Quoted(name_) + " du fichier " + Quoted(file_);
}

const std::shared_ptr<MatchList>& CatalogueTable::matches(const std::string& criteria) {
    for (auto kept = filters_.begin(); kept != filters_.end(); ++kept) {
        if (kept->first == criteria) {
            filters_.splice(filters_.begin(), filters_, kept);
            return filters_.front().second;
        }
    }
    try {
        filter::BoundFilter bound = filter::Filter::Parse(criteria).Bind(rows_.columnNames());
        filters_.emplace_front(criteria, std::make_shared<MatchList>(rows_, std::move(bound)));
    } catch (const filter::FilterError& error) {
        throw CatalogueError("Recherche impossible dans " + describe() + " : " + error.what());
    }
    if (filters_.size() > kKeptFilters) {
        filters_.pop_back();
    }
    return filters_.front().second;
}

std::size_t CatalogueTable::columnIndex(std::string_view name) const {
    const std::string folded = filter::FoldCase(name);
    const std::vector<std::string>& columns = rows_.columnNames();
    for (std::size_t index = 0; index < columns.size(); ++index) {
        if (filter::FoldCase(columns[index]) == folded) {
            return index;
        }
    }
    throw CatalogueError("Le champ " + Quoted(name) + " est absent de " + describe() + ".");
}

} // namespace catalogue
