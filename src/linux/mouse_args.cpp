#include "linux/mouse_args.h"

#include "linux/screen.h"

namespace ui {
namespace {

std::int16_t buttonBits(Qt::MouseButtons buttons) {
    std::int16_t bits = 0;
    if (buttons.testFlag(Qt::LeftButton)) {
        bits |= 1;
    }
    if (buttons.testFlag(Qt::RightButton)) {
        bits |= 2;
    }
    if (buttons.testFlag(Qt::MiddleButton)) {
        bits |= 4;
    }
    return bits;
}

MouseArgs argsAt(const QMouseEvent& event, Qt::MouseButtons buttons) {
    const QPointF pos = event.position();
    return {buttonBits(buttons), ShiftState(event.modifiers()),
            float(pos.x() * platform::TwipsPerPixelX()),
            float(pos.y() * platform::TwipsPerPixelY())};
}

} // namespace

MouseArgs PressArgs(const QMouseEvent& event) {
    return argsAt(event, event.button());
}

MouseArgs MoveArgs(const QMouseEvent& event) {
    return argsAt(event, event.buttons());
}

std::int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
    std::int16_t shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        shift |= 1;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        shift |= 2;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        shift |= 4;
    }
    return shift;
}

std::int16_t KeyCodeOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    default:
        break;
    }
    const bool digitOrLetter =
        (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z);
    return digitOrLetter ? std::int16_t(qtKey) : std::int16_t(0);
}

} // namespace ui
