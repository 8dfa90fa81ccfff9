#pragma once
// The rows of a table that one filter matches, found on demand: a find scans only as far as it
// must and remembers what it saw, so counting all the matches reads each row once and every
// later find is a binary search.

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

    std::optional<std::size_t> first();
    std::optional<std::size_t> last();
    // The first match after row, and the last one before it.
    std::optional<std::size_t> after(std::size_t row);
    std::optional<std::size_t> before(std::size_t row);

private:
    // Scans on until one more match is found or the rows end; false at the end.
    bool scanToNextMatch();
    void scanToEnd();

    const CatalogueRows* rows_;
    filter::BoundFilter filter_;
    std::vector<std::uint32_t> found_; // matching rows among those scanned, ascending
    std::size_t scanned_ = 0;          // rows [0, scanned_) have been tested
    std::vector<std::optional<std::string_view>> cells_;
};

} // namespace catalogue
