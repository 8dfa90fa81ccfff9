#include "windows/search_box.h"

#include "windows/caption_label.h"
#include "windows/mouse_args.h"
#include "windows/tab_order.h"

namespace win {
namespace {
constexpr COLORREF kText = RGB(128, 255, 128);
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr wchar_t kOwnerProperty[] = L"OrvaneSearchBox";
} // namespace

SearchBox::SearchBox(HWND parent, int id, const RECT& box, const DeviceScale& scale)
    : font_(CreateDesignFont(13.5, true, scale)), background_(CreateSolidBrush(kBackground)) {
    window_ = CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, box.left,
        box.top, box.right - box.left, box.bottom - box.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // No length limit: the edit box's default stops at 32,767 characters.
    SendMessageW(window_, EM_SETLIMITTEXT, 0, 0);
    SetPropW(window_, kOwnerProperty, this);
    editProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SearchBox::Procedure)));
}

SearchBox::~SearchBox() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProcedure_));
        RemovePropW(window_, kOwnerProperty);
        DestroyWindow(window_);
    }
    DeleteObject(font_);
    DeleteObject(background_);
}

std::wstring SearchBox::Text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    const int length = GetWindowTextW(window_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

LRESULT SearchBox::Colour(HDC dc) const {
    SetTextColor(dc, kText);
    SetBkColor(dc, kBackground);
    return reinterpret_cast<LRESULT>(background_);
}

LRESULT CALLBACK SearchBox::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* box = static_cast<SearchBox*>(GetPropW(window, kOwnerProperty));
    if (box == nullptr) {
        return DefWindowProcW(window, message, w, l);
    }
    switch (message) {
    case WM_NCDESTROY:
        // The last message: the edit box's own procedure takes it without the owner's mark.
        RemovePropW(window, kOwnerProperty);
        break;
    case WM_KEYDOWN:
        if (w == VK_TAB) {
            MoveFocusOnTab(window);
            return 0;
        }
        if (box->onKeyDown_) {
            box->onKeyDown_(static_cast<std::int16_t>(w), KeyboardShiftState());
        }
        break;
    case WM_CHAR:
        // The characters of Enter and Tab would only make a one-line edit box beep.
        if (w == L'\r' || w == L'\t') {
            return 0;
        }
        break;
    default:
        break;
    }
    return CallWindowProcW(box->editProcedure_, window, message, w, l);
}

} // namespace win
