#pragma once
// The system beep and the event pump.

#include <functional>

namespace platform {

void Beep();
// Handles every event waiting for the program's thread, then returns.
void DoEvents();

// Tests count beeps instead of sounding them; an empty function restores the real beep.
void SetBeepHandler(std::function<void()> handler);

} // namespace platform
