#pragma once
// Tab and Shift+Tab among the window's controls that take them: the search field and whichever
// arrows are shown.

#include <windows.h>

namespace win {

// Moves the focus from `from` to the next (with Shift, the previous) shown, enabled control of
// its window that takes Tab.
void MoveFocusOnTab(HWND from);

} // namespace win
