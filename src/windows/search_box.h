#pragma once
// The search field Text1: a native one-line edit box with the layout's font, centred text, no
// border, light green on black. Its key-downs are reported with their key code and shift
// state; Tab moves the focus on to the next control that takes it.

#include "windows/device_scale.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace win {

using KeyHandler = std::function<void(std::int16_t keyCode, std::int16_t shift)>;

class SearchBox {
public:
    SearchBox(HWND parent, int id, const RECT& box, const DeviceScale& scale);
    ~SearchBox();
    SearchBox(const SearchBox&) = delete;
    SearchBox& operator=(const SearchBox&) = delete;

    HWND Handle() const { return window_; }
    void OnKeyDown(KeyHandler handler) { onKeyDown_ = std::move(handler); }
    std::wstring Text() const;

    // The colours for the window's WM_CTLCOLOREDIT.
    LRESULT Colour(HDC dc) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HBRUSH background_ = nullptr;
    WNDPROC editProcedure_ = nullptr;
    KeyHandler onKeyDown_;
};

} // namespace win
