#pragma once
// A window's mouse and key messages as the window's operations take them: the button as a set
// of bits (1 left, 2 right, 4 middle), the shift state (1 Shift, 2 Ctrl, 4 Alt) and the
// position in twips.

#include <windows.h>

#include <cstdint>

namespace win {

struct MouseArgs {
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
};

// The button a press message is about: 1, 2 or 4; 0 for any other message.
std::int16_t PressedButton(UINT message);
// The buttons held during a move, from the message's key flags.
std::int16_t HeldButtons(WPARAM keys);
// The shift state from a mouse message's key flags and whether Alt is down.
std::int16_t ShiftState(WPARAM keys, bool alt);
// The shift state of the keyboard now, for key messages.
std::int16_t KeyboardShiftState();

// A position in whole pixels as twips: the pixel times the twips per pixel rounded, the way
// the hot spots' test turns twips back into pixels, so that the test finds the very pixel
// under the pointer at every density (7.5 twips per pixel at 200 % included).
float PixelToTwips(int pixel, float twipsPerPixel);

// A press or move message's arguments; the position is the message's client coordinates.
MouseArgs PressArgs(UINT message, WPARAM keys, LPARAM position, float twipsPerPixel);
MouseArgs MoveArgs(WPARAM keys, LPARAM position, float twipsPerPixel);

} // namespace win
