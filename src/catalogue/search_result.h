#pragma once
// What a search leaves for paging through its matches: the filter, the number of matches, the
// number of the match shown, and the data control whose recordset they were found in. One
// value, so that an operation that fails puts the previous result back in one assignment, and a
// field added here is put back with the rest.

#include "catalogue/data_control.h"

#include <cstdint>
#include <string>

namespace catalogue {

struct SearchResult {
    // The filter of the last search of a non-empty text; empty before the first one.
    std::string critere;
    // How many entries the last search matched, 0 when none (and before the first search).
    std::int32_t total = 0;
    // The 1-based number of the match shown, 0 when the last search found nothing.
    std::int32_t position = 0;
    // The data control Data1's catalogue link: its file, its table and the recordset over it.
    DataControl data;
};

} // namespace catalogue
