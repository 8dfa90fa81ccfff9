#include "windows/picture_box.h"

#include "windows/owned_window.h"
#include "windows/tab_order.h"

namespace win {
namespace {

constexpr wchar_t kClassName[] = L"OrvanePicture";

void registerClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        // Double clicks arrive as such, not as a second press: a quick double click on an
        // arrow pages once.
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

} // namespace

PictureBox::PictureBox(HWND parent, int id, const RECT& box, const ScaledPicture& picture,
                       bool enabled, const std::wstring& name)
    : picture_(picture) {
    registerClass(&OwnedWindowProcedure<PictureBox>);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    style |= enabled ? WS_TABSTOP : WS_DISABLED;
    window_ = CreateWindowExW(0, kClassName, name.c_str(), style, box.left, box.top,
                              box.right - box.left, box.bottom - box.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), this);
}

PictureBox::~PictureBox() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void PictureBox::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

bool PictureBox::Visible() const {
    return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

LRESULT PictureBox::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_NCHITTEST:
        // A disabled box is not there for the mouse: the window beneath gets the message.
        if (!IsWindowEnabled(window_)) {
            return HTTRANSPARENT;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (onPress_) {
            onPress_(message, w, l);
        }
        return 0;
    case WM_KEYDOWN:
        // A shown arrow takes the focus from Tab, and passes it on the same way.
        if (w == VK_TAB) {
            MoveFocusOnTab(window_);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole box
    case WM_PAINT:
        Paint();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void PictureBox::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client;
    GetClientRect(window_, &client);
    picture_.Draw(dc, client, POINT{0, 0});
    EndPaint(window_, &paint);
}

} // namespace win
