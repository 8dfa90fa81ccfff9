#pragma once
// Translates Qt's mouse and key events into the arguments the window's operations take: button
// bits (1 left, 2 right, 4 middle), shift state (1 Shift, 2 Ctrl, 4 Alt), and the position in
// twips relative to the control, as 32-bit floats.

#include <QMouseEvent>
#include <cstdint>

namespace ui {

struct MouseArgs {
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0.0f;
    float y = 0.0f;
};

// For a press: the button that went down. For a move: every button held.
MouseArgs PressArgs(const QMouseEvent& event);
MouseArgs MoveArgs(const QMouseEvent& event);

std::int16_t ShiftState(Qt::KeyboardModifiers modifiers);
// The classic virtual key code of a Qt key (13 for Enter), or 0 when it has none.
std::int16_t KeyCodeOf(int qtKey);

} // namespace ui
