#pragma once
// The program's mouse pointer: 0 the default arrow, 11 the hourglass.

#include <functional>

namespace platform {

void SetMousePointer(int pointer);

// Tests watch each change of the pointer; an empty function stops watching.
void SetMousePointerObserver(std::function<void(int)> observer);

} // namespace platform
