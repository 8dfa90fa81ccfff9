#pragma once
// Window calls in the manner of the classic USER functions: windows are known by a 32-bit
// handle; a window region shapes both drawing and mouse input; a caption press starts the
// system's window move.

#include "linux/regions.h"

#include <cstdint>

class QWidget;

namespace platform {

using app::HWND;

// Gives a top-level window its handle; the handle is dropped when the window is destroyed.
HWND HandleOf(QWidget* window);

// The window takes the region and deletes it itself later; handle 0 restores the full
// rectangle. Returns nonzero on success.
std::int32_t SetWindowRgn(HWND window, HRGN region, std::int32_t redraw);
std::int32_t ReleaseCapture();
// Only the caption press (kWmNcLButtonDown with kHtCaption) means something here: it moves the
// window with the pointer until the left button is released.
std::intptr_t SendMessageA(HWND window, std::uint32_t message, std::intptr_t wParam,
                           std::intptr_t lParam);

} // namespace platform
