#pragma once
// Calling off a move of a window that its window manager was asked for (a caption drag) and
// has not begun: a press released before the window manager took the pointer would otherwise
// leave the window following the released pointer.

class QWindow;

namespace platform {

// Returns whether the window manager was told: on X11 only. Elsewhere the platform ends its
// move with the button itself, and there is nothing to call off.
bool CancelSystemMove(QWindow* window);

} // namespace platform
