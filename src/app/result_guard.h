#pragma once
// Runs a search or a move through the matches so that a catalogue failure on the way leaves the
// window as it was: the filter, the count and the shown position, the counter and field labels,
// the arrows, and the data control's file, table and recordset all return to their values from
// before the operation, so the arrows go on paging through the previous result. The failure is
// then reported in a French box with the exclamation icon, naming the file and what is wrong,
// and the pointer returns to the default.

#include <functional>

class ShapedForm;

namespace catalogue {

// Returns false when the operation failed. A failure other than the catalogue's is passed on
// after the same restoring.
bool RunKeepingResult(ShapedForm& form, const std::function<void()>& operation);

} // namespace catalogue
