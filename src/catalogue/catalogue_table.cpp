#include "catalogue/catalogue_table.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/filter/fold_case.h"
#include "platform/quoted.h"

namespace catalogue {

CatalogueTable::CatalogueTable(std::string file, std::string name, CatalogueRows rows)
    : file_(std::move(file)), name_(std::move(name)), rows_(std::move(rows)) {}

std::string CatalogueTable::describe() const {
    return "la table " + platform::Quoted(name_) + " du fichier " + platform::Quoted(file_);
}

const std::shared_ptr<MatchList>& CatalogueTable::matches(const QString& criteria) {
    for (auto kept = filters_.begin(); kept != filters_.end(); ++kept) {
        if (kept->first == criteria) {
            filters_.splice(filters_.begin(), filters_, kept);
            return filters_.front().second;
        }
    }
    try {
        const QByteArray text = criteria.toUtf8();
        filter::BoundFilter bound =
            filter::Filter::Parse(std::string_view(text.constData(), std::size_t(text.size())))
                .Bind(rows_.columnNames());
        filters_.emplace_front(criteria, std::make_shared<MatchList>(rows_, std::move(bound)));
    } catch (const filter::FilterError& error) {
        throw CatalogueError("Recherche impossible dans " + describe() + " : " + error.what());
    }
    if (filters_.size() > kKeptFilters) {
        filters_.pop_back();
    }
    return filters_.front().second;
}

std::size_t CatalogueTable::columnIndex(const QString& name) const {
    const QByteArray text = name.toUtf8();
    const std::string folded =
        filter::FoldCase(std::string_view(text.constData(), std::size_t(text.size())));
    const std::vector<std::string>& columns = rows_.columnNames();
    for (std::size_t index = 0; index < columns.size(); ++index) {
        if (filter::FoldCase(columns[index]) == folded) {
            return index;
        }
    }
    throw CatalogueError("Le champ " + platform::Quoted(text.toStdString()) + " est absent de " +
                         describe() + ".");
}

} // namespace catalogue
