#pragma once
// A label: a static child window whose window text is its caption (what screen readers read),
// drawn by the window over the skin with the label's own font and colour: the skin shows
// through around the letters. It keeps the mouse over its rectangle and does nothing with it.

#include "windows/scaled_picture.h"

#include <windows.h>

#include <string>

namespace win {

struct LabelLook {
    double points;
    bool bold;
    COLORREF colour;
};

class CaptionLabel {
public:
    CaptionLabel(HWND parent, int id, const RECT& box, const LabelLook& look,
                 const DeviceScale& scale);
    ~CaptionLabel();
    CaptionLabel(const CaptionLabel&) = delete;
    CaptionLabel& operator=(const CaptionLabel&) = delete;

    HWND Handle() const { return window_; }
    void SetCaption(const std::wstring& caption);
    std::wstring Caption() const;

    // Paints the label for the window's WM_DRAWITEM: the skin beneath, then the caption
    // centred, wrapped at word boundaries and cut at the lower edge.
    void Draw(const DRAWITEMSTRUCT& item, const ScaledPicture& skin) const;

private:
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    COLORREF colour_;
};

// The font the layout names, at the screen's scale; the caller deletes it.
HFONT CreateDesignFont(double points, bool bold, const DeviceScale& scale);

} // namespace win
