#pragma once
// A table whose rows are still being read, as a recordset opened before they have all come sees
// it: the finds of a filter are answered by the reading helper as soon as it has read the file,
// the rows it answered with can be shown, and anything else waits for the whole table. Waits run
// PauseScan, so that a search keeps the window live. Used from one thread at a time.

#include "catalogue/catalogue_table.h"
#include "catalogue/table_reading.h"

#include <cstddef>
#include <functional>
#include <future>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace catalogue {

using TableResult = std::shared_future<std::shared_ptr<CatalogueTable>>;

class PendingTable {
public:
    // forgetRead is run when the read could not read the file this time, so that the next
    // search reads it again.
    PendingTable(TableResult result, std::shared_ptr<TableReading> reading,
                 std::vector<std::string> columns, const std::string& file,
                 const std::string& table, std::function<void()> forgetRead);

    // The whole table once it is read, nullptr while its rows still come. Throws CatalogueError
    // when the read failed.
    std::shared_ptr<CatalogueTable> WholeIfRead();
    // The whole table, waited for.
    std::shared_ptr<CatalogueTable> Whole();

    // The helper's answer for the filter, waited for; nullptr when none will come and the whole
    // table is to be used. Throws CatalogueError for a malformed filter or one naming a field the
    // table lacks.
    std::shared_ptr<const FilterAnswer> Matches(const std::string& criteria);

    // A value of a row that an answer holds in full; nullopt when none does. Throws
    // CatalogueError for a field the table lacks.
    std::optional<std::optional<std::string>> ShownValue(std::size_t row, std::string_view field);

    const std::string& describe() const { return described_; }

private:
    static constexpr std::size_t kKeptAnswers = 4;

    std::shared_ptr<CatalogueTable> take();

    TableResult result_;
    std::shared_ptr<TableReading> reading_;
    std::vector<std::string> columns_;
    std::string file_;
    std::string described_;
    std::function<void()> forgetRead_;
    // most recently asked first
    std::list<std::pair<std::string, std::shared_ptr<const FilterAnswer>>> answers_;
};

} // namespace catalogue
