#include "windows/caption_label.h"

namespace win {

HFONT CreateDesignFont(double points, bool bold, const DeviceScale& scale) {
    return CreateFontW(scale.FontHeight(points), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

CaptionLabel::CaptionLabel(HWND parent, int id, const RECT& box, const LabelLook& look,
                           const DeviceScale& scale)
    : font_(CreateDesignFont(look.points, look.bold, scale)), colour_(look.colour) {
    // SS_NOTIFY makes the label take the mouse over its rectangle instead of letting it
    // through to the window.
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY,
                              box.left, box.top, box.right - box.left, box.bottom - box.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

CaptionLabel::~CaptionLabel() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    DeleteObject(font_);
}

void CaptionLabel::SetCaption(const std::wstring& caption) {
    SetWindowTextW(window_, caption.c_str());
    InvalidateRect(window_, nullptr, FALSE);
}

std::wstring CaptionLabel::Caption() const {
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    const int length = GetWindowTextW(window_, caption.data(), static_cast<int>(caption.size()));
    caption.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return caption;
}

void CaptionLabel::Draw(const DRAWITEMSTRUCT& item, const ScaledPicture& skin) const {
    RECT client;
    GetClientRect(window_, &client);
    POINT origin{0, 0};
    MapWindowPoints(window_, GetParent(window_), &origin, 1);
    skin.Draw(item.hDC, client, origin);

    const std::wstring caption = Caption();
    if (caption.empty()) {
        return;
    }
    HGDIOBJ previousFont = SelectObject(item.hDC, font_);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colour_);
    // A word wider than the label is broken like an edit box breaks it.
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &client,
              DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SelectObject(item.hDC, previousFont);
}

} // namespace win
