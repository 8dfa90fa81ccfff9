#pragma once
// The GUI runtime and the platform as the window's operations see them: the region and window
// calls under their platform names, the form's own properties, its controls' properties, message
// boxes, the pointer, the beep, the event pump and ending at once. Each front end implements it
// in one class over its toolkit (Qt on Linux, the Win32 API on Windows); the tests implement it
// with a fake that records every call in order.
//
// Region and window calls keep the platform's meaning: regions and windows are known by handles,
// a failed creation gives handle 0, and callers never test the results. Texts are UTF-8.

#include <cstdint>
#include <string>

namespace app {

// Handles hold 32 bits, as the platform guarantees for region and window handles even in
// 64-bit processes (they are sign-extended when widened back).
using HRGN = std::int32_t;
using HWND = std::int32_t;

// One vertex of a polygon region: X then Y, the layout the platform's polygon call reads.
struct POINTAPI {
    std::int32_t x;
    std::int32_t y;
};
static_assert(sizeof(POINTAPI) == 8, "a point is two 32-bit integers, X then Y");

// The platform's headers define its constants as macros, so ours carry names of their own.
inline constexpr std::int32_t kAlternate = 1;           // ALTERNATE: polygon fill mode
inline constexpr std::int32_t kRgnDiff = 4;             // RGN_DIFF: source 1 minus source 2
inline constexpr std::int32_t kRgnCopy = 5;             // RGN_COPY: a copy of source 1
inline constexpr std::uint32_t kWmNcLButtonDown = 0xA1; // WM_NCLBUTTONDOWN
inline constexpr std::intptr_t kHtCaption = 2;          // HTCAPTION: a press on the caption

// Message box styles: buttons in the low bits, the icon above them.
inline constexpr std::int32_t vbOKOnly = 0;
inline constexpr std::int32_t vbCritical = 16;
inline constexpr std::int32_t vbExclamation = 48;
inline constexpr std::int32_t vbInformation = 64;
// What a box answers when its OK button dismisses it.
inline constexpr std::int32_t vbOK = 1;

// The form's MousePointer values.
inline constexpr std::int32_t vbDefault = 0;
inline constexpr std::int32_t vbHourglass = 11;

// The form's WindowState values.
inline constexpr std::int32_t vbNormal = 0;
inline constexpr std::int32_t vbMinimized = 1;

// A box without a title of its own shows the application's title.
inline constexpr const char* kAppTitle = "Orvane";

// The window's controls whose properties the operations read and write, by their numbers.
enum class Picture { Picture1 = 1, Picture2 = 2, Picture3 = 3, Picture4 = 4, Picture5 = 5 };
enum class Label { Label4 = 4, Label5 = 5, Label6 = 6, Label8 = 8 };

class Runtime {
public:
    virtual ~Runtime() = default;

    // Regions. Right and bottom are exclusive.
    virtual HRGN CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) = 0;
    // The ellipse inscribed in the box.
    virtual HRGN CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                   std::int32_t bottom) = 0;
    virtual HRGN CreatePolygonRgn(const POINTAPI* points, std::int32_t count,
                                  std::int32_t fillMode) = 0;
    // Sets dest to src1 combined with src2 by mode (kRgnCopy, kRgnDiff); 0 on failure.
    virtual std::int32_t CombineRgn(HRGN dest, HRGN src1, HRGN src2, std::int32_t mode) = 0;
    virtual std::int32_t DeleteObject(HRGN region) = 0;
    // Nonzero when the pixel lies in the region.
    virtual std::int32_t PtInRegion(HRGN region, std::int32_t x, std::int32_t y) = 0;

    // Windows. The window takes the region and deletes it itself; redraw nonzero repaints.
    virtual std::int32_t SetWindowRgn(HWND window, HRGN region, std::int32_t redraw) = 0;
    virtual std::int32_t ReleaseCapture() = 0;
    // With kWmNcLButtonDown and kHtCaption: the platform's move of the window by its caption,
    // returning when the move ends.
    virtual std::intptr_t SendMessageA(HWND window, std::uint32_t message, std::intptr_t wParam,
                                       std::intptr_t lParam) = 0;

    // The form.
    virtual HWND hWnd() = 0;
    virtual void Hide() = 0;
    virtual void SetWindowState(std::int32_t state) = 0;
    virtual void SetMousePointer(std::int32_t pointer) = 0;
    // Twips (1/1440 inch) per pixel of the window's coordinates, read afresh on each call.
    virtual float TwipsPerPixelX() = 0;
    virtual float TwipsPerPixelY() = 0;

    // The controls.
    virtual bool Visible(Picture picture) = 0;
    virtual void SetVisible(Picture picture, bool visible) = 0;
    virtual std::string Caption(Label label) = 0;
    virtual void SetCaption(Label label, const std::string& caption) = 0;
    virtual std::string Text1Text() = 0;

    // The application. A modal box; returns the button that dismissed it (vbOK).
    virtual std::int32_t MsgBox(const std::string& prompt, std::int32_t style = vbOKOnly,
                                const std::string& title = kAppTitle) = 0;
    // Whether another copy of the program was already running when this one started.
    virtual bool PrevInstance() = 0;
    // The folder that holds the program file (UTF-8), without a trailing separator.
    virtual std::string AppPath() = 0;
    // Ends the program at once: no unload step, no further event, nothing after it runs.
    [[noreturn]] virtual void End() = 0;
    virtual void Beep() = 0;
    // Handles every event waiting for the program's thread, then returns.
    virtual void DoEvents() = 0;
};

} // namespace app
