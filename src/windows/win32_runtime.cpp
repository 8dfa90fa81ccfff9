#include "windows/win32_runtime.h"

#include "system/program_folder.h"
#include "system/windows/wide_text.h"

#include <vector>

namespace win {
namespace {

// Handles cross the interface as their 32 significant bits and are sign-extended back, as
// Windows does for GDI and window handles in 64-bit processes.
::HRGN region(app::HRGN handle) {
    return reinterpret_cast<::HRGN>(static_cast<std::intptr_t>(handle));
}

::HWND window(app::HWND handle) {
    return reinterpret_cast<::HWND>(static_cast<std::intptr_t>(handle));
}

template <typename Handle> std::int32_t handleBits(Handle handle) {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(handle));
}

float twipsPerPixel(int axis) {
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return DeviceScale(dotsPerInch).TwipsPerPixel();
}

} // namespace

bool AnotherCopyRuns() {
    // A named mutex lives as long as a process holds a handle on it; this one is never closed.
    CreateMutexW(nullptr, FALSE, L"Local\\OrvaneZelkis.SingleInstance");
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

Win32Runtime::Win32Runtime(FormWindow& form, bool previousCopy)
    : form_(form), previousCopy_(previousCopy) {}

app::HRGN Win32Runtime::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                      std::int32_t bottom) {
    return handleBits(::CreateRectRgn(left, top, right, bottom));
}

app::HRGN Win32Runtime::CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                          std::int32_t bottom) {
    // The hot spots' boxes are skin pixels: on a denser screen they grow with the skin that
    // is drawn larger, so each spot stays on its painted button.
    const DeviceScale& scale = form_.Scale();
    return handleBits(::CreateEllipticRgn(scale.ToScreen(left), scale.ToScreen(top),
                                          scale.ToScreen(right), scale.ToScreen(bottom)));
}

app::HRGN Win32Runtime::CreatePolygonRgn(const app::POINTAPI* points, std::int32_t count,
                                         std::int32_t fillMode) {
    std::vector<POINT> vertices;
    for (std::int32_t i = 0; i < count; ++i) {
        vertices.push_back(POINT{points[i].x, points[i].y});
    }
    return handleBits(::CreatePolygonRgn(vertices.data(), count, fillMode));
}

std::int32_t Win32Runtime::CombineRgn(app::HRGN dest, app::HRGN src1, app::HRGN src2,
                                      std::int32_t mode) {
    return ::CombineRgn(region(dest), region(src1), region(src2), mode);
}

std::int32_t Win32Runtime::DeleteObject(app::HRGN handle) {
    return ::DeleteObject(region(handle));
}

std::int32_t Win32Runtime::PtInRegion(app::HRGN handle, std::int32_t x, std::int32_t y) {
    return ::PtInRegion(region(handle), x, y);
}

std::int32_t Win32Runtime::SetWindowRgn(app::HWND handle, app::HRGN shape, std::int32_t redraw) {
    return ::SetWindowRgn(window(handle), region(shape), redraw != 0 ? TRUE : FALSE);
}

std::int32_t Win32Runtime::ReleaseCapture() {
    return ::ReleaseCapture();
}

std::intptr_t Win32Runtime::SendMessageA(app::HWND handle, std::uint32_t message,
                                         std::intptr_t wParam, std::intptr_t lParam) {
    return ::SendMessageA(window(handle), message, static_cast<WPARAM>(wParam), lParam);
}

app::HWND Win32Runtime::hWnd() {
    return handleBits(form_.Handle());
}

void Win32Runtime::Hide() {
    ShowWindow(form_.Handle(), SW_HIDE);
}

void Win32Runtime::SetWindowState(std::int32_t state) {
    ShowWindow(form_.Handle(), state == app::vbMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void Win32Runtime::SetMousePointer(std::int32_t pointer) {
    form_.SetPointer(pointer);
}

float Win32Runtime::TwipsPerPixelX() {
    return twipsPerPixel(LOGPIXELSX);
}

float Win32Runtime::TwipsPerPixelY() {
    return twipsPerPixel(LOGPIXELSY);
}

PictureBox& Win32Runtime::pictureBox(app::Picture picture) {
    switch (picture) {
    case app::Picture::Picture1:
        return form_.Picture1();
    case app::Picture::Picture2:
        return form_.Picture2();
    case app::Picture::Picture3:
        return form_.Picture3();
    case app::Picture::Picture4:
        return form_.Picture4();
    case app::Picture::Picture5:
        break;
    }
    return form_.Picture5();
}

CaptionLabel& Win32Runtime::label(app::Label which) {
    switch (which) {
    case app::Label::Label4:
        return form_.Label4();
    case app::Label::Label5:
        return form_.Label5();
    case app::Label::Label6:
        return form_.Label6();
    case app::Label::Label8:
        break;
    }
    return form_.Label8();
}

bool Win32Runtime::Visible(app::Picture picture) {
    return pictureBox(picture).Visible();
}

void Win32Runtime::SetVisible(app::Picture picture, bool visible) {
    pictureBox(picture).SetVisible(visible);
}

std::string Win32Runtime::Caption(app::Label which) {
    return sys::Narrow(label(which).Caption());
}

void Win32Runtime::SetCaption(app::Label which, const std::string& caption) {
    label(which).SetCaption(sys::Widen(caption));
}

std::string Win32Runtime::Text1Text() {
    return sys::Narrow(form_.Text1().Text());
}

std::int32_t Win32Runtime::MsgBox(const std::string& prompt, std::int32_t style,
                                  const std::string& title) {
    // Modal to the window, which takes no input while the box is open.
    return MessageBoxW(form_.Handle(), sys::Widen(prompt).c_str(), sys::Widen(title).c_str(),
                       static_cast<UINT>(style));
}

bool Win32Runtime::PrevInstance() {
    return previousCopy_;
}

std::string Win32Runtime::AppPath() {
    const std::u8string folder = sys::ProgramFolder().u8string();
    return std::string(folder.begin(), folder.end());
}

void Win32Runtime::End() {
    ExitProcess(0);
}

void Win32Runtime::Beep() {
    MessageBeep(MB_OK);
}

void Win32Runtime::DoEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program's own loop ends on it, once the operation that pumps has returned.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace win
