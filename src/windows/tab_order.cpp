#include "windows/tab_order.h"

namespace win {

void MoveFocusOnTab(HWND from) {
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    HWND next = GetNextDlgTabItem(GetParent(from), from, backwards ? TRUE : FALSE);
    if (next != nullptr) {
        SetFocus(next);
    }
}

} // namespace win
