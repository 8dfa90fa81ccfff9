#include "windows/form_window.h"

#include "shape/device_geometry.h"
#include "windows/control_ids.h"
#include "windows/owned_window.h"
#include "windows/resource_ids.h"

namespace win {
namespace {

constexpr wchar_t kClassName[] = L"OrvaneZelkis";
constexpr wchar_t kTitle[] = L"Orvane Zelkis";

RECT onScreen(const DeviceScale& scale, const shape::Box& box) {
    return scale.ToScreen(box.left, box.top, box.width, box.height);
}

void registerClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        // A double click's second press is a double click, not a press: it runs nothing.
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(ORVANE_ICON_GROUP));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

// Where a window of this size stands centred in the screen's work area.
POINT centred(SIZE size) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return POINT{work.left + (work.right - work.left - size.cx) / 2,
                 work.top + (work.bottom - work.top - size.cy) / 2};
}

} // namespace

FormWindow::FormWindow(const DeviceScale& scale)
    : scale_(scale), skin_(ORVANE_BITMAP_SKIN, scale), litClose_(ORVANE_BITMAP_LIT_CLOSE, scale),
      litMinimise_(ORVANE_BITMAP_LIT_MINIMISE, scale), litHelp_(ORVANE_BITMAP_LIT_HELP, scale),
      litLeft_(ORVANE_BITMAP_LIT_LEFT, scale), litRight_(ORVANE_BITMAP_LIT_RIGHT, scale) {
    registerClass(&OwnedWindowProcedure<FormWindow>);
    const SIZE size{scale.ToScreen(shape::kClientSize.width),
                    scale.ToScreen(shape::kClientSize.height)};
    const POINT place = centred(size);
    // No frame and no caption; the system menu and minimise box only give the task bar's
    // button its Restore, Minimise and Close.
    window_ =
        CreateWindowExW(WS_EX_APPWINDOW, kClassName, kTitle,
                        WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, place.x, place.y,
                        size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    CreateControls();
}

FormWindow::~FormWindow() {
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void FormWindow::CreateControls() {
    // Created in the tab order, which is also the order Tab walks.
    search_ =
        std::make_unique<SearchBox>(window_, kText1, onScreen(scale_, shape::kSearchBox), scale_);
    counter_ =
        std::make_unique<CaptionLabel>(window_, kLabel4, onScreen(scale_, shape::kCounterLabel),
                                       LabelLook{8.25, true, RGB(192, 192, 192)}, scale_);
    cd_ = std::make_unique<CaptionLabel>(window_, kLabel5, onScreen(scale_, shape::kCdLabel),
                                         LabelLook{9.75, true, RGB(128, 255, 128)}, scale_);
    nom_ = std::make_unique<CaptionLabel>(window_, kLabel6, onScreen(scale_, shape::kNomLabel),
                                          LabelLook{8.25, true, RGB(0, 255, 0)}, scale_);
    description_ =
        std::make_unique<CaptionLabel>(window_, kLabel8, onScreen(scale_, shape::kDescriptionLabel),
                                       LabelLook{8.25, false, RGB(128, 255, 128)}, scale_);
    help_ = std::make_unique<PictureBox>(
        window_, kPicture1, onScreen(scale_, shape::kHelpHighlight), litHelp_, false, L"Aide");
    close_ = std::make_unique<PictureBox>(
        window_, kPicture2, onScreen(scale_, shape::kCloseHighlight), litClose_, false);
    minimise_ = std::make_unique<PictureBox>(
        window_, kPicture3, onScreen(scale_, shape::kMinimiseHighlight), litMinimise_, false);
    previous_ =
        std::make_unique<PictureBox>(window_, kPicture4, onScreen(scale_, shape::kPreviousArrow),
                                     litLeft_, true, L"Fiche précédente");
    next_ = std::make_unique<PictureBox>(window_, kPicture5, onScreen(scale_, shape::kNextArrow),
                                         litRight_, true, L"Fiche suivante");

    const float twips = scale_.TwipsPerPixel();
    previous_->OnPress([this, twips](UINT message, WPARAM keys, LPARAM position) {
        MouseArgs args = PressArgs(message, keys, position, twips);
        if (events_.previousArrowDown) {
            events_.previousArrowDown(args);
        }
    });
    next_->OnPress([this, twips](UINT message, WPARAM keys, LPARAM position) {
        MouseArgs args = PressArgs(message, keys, position, twips);
        if (events_.nextArrowDown) {
            events_.nextArrowDown(args);
        }
    });
    search_->OnKeyDown([this](std::int16_t keyCode, std::int16_t shift) {
        if (events_.searchKeyDown) {
            events_.searchKeyDown(keyCode, shift);
        }
    });
}

void FormWindow::Show() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    SetFocus(search_->Handle());
}

void FormWindow::SetPointer(int pointer) {
    pointer_ = pointer;
    // The pointer changes at once where it stands, not at its next move: the window or control
    // under it chooses its pointer again (the hourglass, or its own).
    POINT at;
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    if (under == window_ || IsChild(window_, under)) {
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
}

bool FormWindow::SetCursorForPointer() const {
    if (pointer_ != 11) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

LRESULT FormWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (events_.mouseDown) {
            MouseArgs args = PressArgs(message, w, l, scale_.TwipsPerPixel());
            events_.mouseDown(args);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (events_.mouseMove) {
            MouseArgs args = MoveArgs(w, l, scale_.TwipsPerPixel());
            events_.mouseMove(args);
        }
        return 0;
    case WM_SETCURSOR:
        // The hourglass covers the window and its controls while an operation asks for it.
        if (SetCursorForPointer()) {
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        return 1; // the skin covers the whole client area
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        for (CaptionLabel* label : {counter_.get(), cd_.get(), nom_.get(), description_.get()}) {
            if (label != nullptr && label->Handle() == item.hwndItem) {
                label->Draw(item, skin_);
            }
        }
        return TRUE;
    }
    case WM_CTLCOLOREDIT:
        if (search_ != nullptr && reinterpret_cast<HWND>(l) == search_->Handle()) {
            return search_->Colour(reinterpret_cast<HDC>(w));
        }
        break;
    case WM_ACTIVATE:
        // Back to the control that had the focus, the search field at first.
        if (LOWORD(w) == WA_INACTIVE) {
            focus_ = GetFocus();
        } else if (search_ != nullptr) {
            SetFocus(focus_ != nullptr && IsChild(window_, focus_) ? focus_ : search_->Handle());
        }
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ENDSESSION:
        if (w != FALSE) {
            Close();
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void FormWindow::Close() {
    std::int16_t cancel = 0;
    if (events_.unload) {
        events_.unload(cancel);
    }
    if (cancel == 0) {
        DestroyWindow(window_);
    }
}

void FormWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    skin_.Draw(dc, paint.rcPaint, POINT{paint.rcPaint.left, paint.rcPaint.top});
    EndPaint(window_, &paint);
}

} // namespace win
