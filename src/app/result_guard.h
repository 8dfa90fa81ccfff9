#pragma once
// Runs a search or a move through the matches so that a catalogue failure on the way leaves the
// window as it was: the search result (filter, count, shown position, and the data control's
// file, table and recordset), the counter and field labels and the arrows all return to what
// they were before the operation, so the arrows go on paging through the previous result. The
// failure is then reported in a message box, naming the file and what is wrong, and the pointer
// returns to the default.

#include "app/runtime.h"
#include "catalogue/search_result.h"

#include <functional>

namespace app {

// Returns false when the operation failed. A failure other than the catalogue's is passed on
// after the same restoring.
bool RunKeepingResult(Runtime& runtime, catalogue::SearchResult& result,
                      const std::function<void()>& operation);

} // namespace app
