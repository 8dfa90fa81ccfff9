#pragma once
// A picture box: a child window showing one picture at its top-left corner, at the picture's
// own size, clipped to the box. An enabled box reports its presses; a disabled one lets every
// mouse message through to the window beneath, as a disabled control does. A shown, enabled box
// takes its turn in the Tab order.

#include "windows/scaled_picture.h"

#include <windows.h>

#include <functional>
#include <string>

namespace win {

// A press on the box: the message (WM_LBUTTONDOWN, WM_RBUTTONDOWN or WM_MBUTTONDOWN) with its
// key flags and client position.
using PressHandler = std::function<void(UINT message, WPARAM keys, LPARAM position)>;

class PictureBox {
public:
    // Created hidden. `name` is the window text a screen reader announces.
    PictureBox(HWND parent, int id, const RECT& box, const ScaledPicture& picture, bool enabled,
               const std::wstring& name = {});
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND Handle() const { return window_; }
    void OnPress(PressHandler handler) { onPress_ = std::move(handler); }
    void SetVisible(bool visible);
    bool Visible() const;

private:
    template <typename Owner>
    friend LRESULT CALLBACK OwnedWindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void Paint();

    const ScaledPicture& picture_;
    PressHandler onPress_;
    HWND window_ = nullptr;
};

} // namespace win
