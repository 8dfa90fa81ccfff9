#pragma once
// The rows of a table that one filter matches, found on demand and remembered, so that counting
// all the matches reads each row once and every later find is a binary search. A filter whose
// matches must hold some text, such as Nom like '*jeu*' or Description like '*jeu*', has the
// whole table searched for that text at its first find, which is much faster than testing row
// after row; any other filter tests the rows front to back, only as far as each find must go.
// Either way the scan pauses now and then (PauseScan), and a find run from inside a pause sees
// a consistent list.

#include "catalogue/catalogue_rows.h"
#include "catalogue/filter/filter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace catalogue {

class MatchList {
public:
    MatchList(const CatalogueRows& rows, filter::BoundFilter filter);

    // Whether every row has been tested, so that no find scans (nor pauses) any more.
    bool complete() const { return scanned_ == rows_->rowCount(); }

    std::optional<std::size_t> first();
    std::optional<std::size_t> last();
    // The first match after row, and the last one before it.
    std::optional<std::size_t> after(std::size_t row);
    std::optional<std::size_t> before(std::size_t row);

private:
    // Scans on until one more match is found or the rows end; false once every row is tested.
    // Callers look at found_ afterwards: a find run from a pause may have added to it.
    bool scanToNextMatch();
    void scanToEnd();
    // Finds all the matches by searching for the filter's needed text, once.
    void findByNeeds();
    std::vector<std::uint32_t> rowsWithNeeds() const;

    const CatalogueRows* rows_;
    filter::BoundFilter filter_;
    std::optional<filter::RowNeeds> needs_;
    std::vector<std::uint32_t> found_; // matching rows among those scanned, ascending
    std::size_t scanned_ = 0;          // rows [0, scanned_) have been tested
    std::size_t lastAnswer_ = 0;       // index in found_ of the last row after() answered
    std::size_t testedSincePause_ = 0; // rows tested one by one since the scan last paused
    std::vector<std::optional<std::string_view>> cells_;
};

} // namespace catalogue
