#pragma once
// The values the search leaves for paging through its matches, critere, total and position, with
// the data control they were found through. They live for the whole process and nothing guards
// them: a search run inside another one's event pump sees them half-way.

#include "catalogue/search_result.h"

namespace Module3 {

extern catalogue::SearchResult result;

} // namespace Module3
