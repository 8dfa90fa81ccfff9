#pragma once
// The window procedure of a window class whose windows each belong to an object: the object comes
// with the window's creation (CreateWindowExW's last argument), is kept in the window's user data,
// is told its window and gets every message from then on. Messages before it go to
// DefWindowProcW. The owner declares this procedure its friend.

#include <windows.h>

namespace win {

template <typename Owner>
LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcW(window, message, w, l);
    }
    owner->window_ = window;
    return owner->Handle(message, w, l);
}

} // namespace win
