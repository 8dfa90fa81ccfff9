#pragma once
// Moving a window as if its caption bar had been pressed: the window manager's own move where
// it offers one, otherwise a move of our own that follows the pointer until the left button
// is released.

#include <functional>

class QWidget;

namespace platform {

void StartCaptionDrag(QWidget* window);

// Tests record drag requests instead of moving the window; an empty handler restores the
// real move.
using CaptionDragHandler = std::function<void(QWidget*)>;
void SetCaptionDragHandler(CaptionDragHandler handler);

} // namespace platform
