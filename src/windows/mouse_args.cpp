#include "windows/mouse_args.h"

#include <windowsx.h>

#include <cmath>

namespace win {
namespace {

constexpr std::int16_t kLeft = 1;
constexpr std::int16_t kRight = 2;
constexpr std::int16_t kMiddle = 4;
constexpr std::int16_t kShift = 1;
constexpr std::int16_t kCtrl = 2;
constexpr std::int16_t kAlt = 4;

bool altDown() {
    return (GetKeyState(VK_MENU) & 0x8000) != 0;
}

MouseArgs at(LPARAM position, float twipsPerPixel) {
    MouseArgs args;
    args.x = PixelToTwips(GET_X_LPARAM(position), twipsPerPixel);
    args.y = PixelToTwips(GET_Y_LPARAM(position), twipsPerPixel);
    return args;
}

} // namespace

std::int16_t PressedButton(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return kLeft;
    case WM_RBUTTONDOWN:
        return kRight;
    case WM_MBUTTONDOWN:
        return kMiddle;
    default:
        return 0;
    }
}

std::int16_t HeldButtons(WPARAM keys) {
    std::int16_t buttons = 0;
    buttons |= (keys & MK_LBUTTON) != 0 ? kLeft : 0;
    buttons |= (keys & MK_RBUTTON) != 0 ? kRight : 0;
    buttons |= (keys & MK_MBUTTON) != 0 ? kMiddle : 0;
    return buttons;
}

std::int16_t ShiftState(WPARAM keys, bool alt) {
    std::int16_t shift = 0;
    shift |= (keys & MK_SHIFT) != 0 ? kShift : 0;
    shift |= (keys & MK_CONTROL) != 0 ? kCtrl : 0;
    shift |= alt ? kAlt : 0;
    return shift;
}

std::int16_t KeyboardShiftState() {
    WPARAM keys = 0;
    keys |= (GetKeyState(VK_SHIFT) & 0x8000) != 0 ? MK_SHIFT : 0;
    keys |= (GetKeyState(VK_CONTROL) & 0x8000) != 0 ? MK_CONTROL : 0;
    return ShiftState(keys, altDown());
}

float PixelToTwips(int pixel, float twipsPerPixel) {
    return static_cast<float>(pixel) * std::nearbyint(twipsPerPixel);
}

MouseArgs PressArgs(UINT message, WPARAM keys, LPARAM position, float twipsPerPixel) {
    MouseArgs args = at(position, twipsPerPixel);
    args.button = PressedButton(message);
    args.shift = ShiftState(keys, altDown());
    return args;
}

MouseArgs MoveArgs(WPARAM keys, LPARAM position, float twipsPerPixel) {
    MouseArgs args = at(position, twipsPerPixel);
    args.button = HeldButtons(keys);
    args.shift = ShiftState(keys, altDown());
    return args;
}

} // namespace win
