#pragma once
// The search: looks the typed text up in table Index of base.MDB beside the program, counts the
// matches, and shows the counter, the arrows and the first match. A search of an empty text
// only flips the pointer to the hourglass and back. While it counts, the window's events go on
// being handled; a catalogue failure puts the previous result back (see result_guard.h).

#include "catalogue/search_result.h"
#include "catalogue/search_window.h"

namespace catalogue {

void Search(SearchWindow& window, SearchResult& result);

} // namespace catalogue
