#pragma once
// The values the search leaves for paging through its matches. They live for the whole process
// and nothing guards them: a search run inside another one's event pump sees them half-way.

#include <QString>
#include <cstdint>

namespace Module3 {

// The filter of the last search of a non-empty text; empty before the first one.
extern QString critere;
// How many entries the last search matched, 0 when none (and before the first search).
extern std::int32_t total;
// The 1-based number of the match shown, 0 when the last search found nothing.
extern std::int32_t position;

} // namespace Module3
