#pragma once
// Moving a window as if its caption bar had been pressed: the window manager's own move where
// it offers one, otherwise a move of our own that follows the pointer until the left button
// is released.

class QWidget;

namespace platform {

void StartCaptionDrag(QWidget* window);

} // namespace platform
