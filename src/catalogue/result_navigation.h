#pragma once
// Paging through the matches of the last search: the previous arrow steps back and the next
// arrow forward with the left button; with the right button they jump to the first and the last
// match, under the hourglass. Every press beeps, and a jump that finds nothing beeps again. Each
// arrow is shown only while there is a match in its direction. While a search counts, presses do
// nothing at all: its result is half-built.

#include "catalogue/search_result.h"
#include "catalogue/search_window.h"

#include <cstdint>

namespace catalogue {

// A press of the mouse button (1 left, 2 right, other values other buttons) on an arrow.
void PressArrow(SearchWindow& window, SearchResult& result, Arrow arrow, std::int16_t button);

} // namespace catalogue
