#pragma once
// The program's mouse pointer: 0 the default arrow, 11 the hourglass.

#include <functional>

namespace platform {

inline constexpr int vbDefault = 0;
inline constexpr int vbHourglass = 11;

void SetMousePointer(int pointer);

// Tests watch each change of the pointer; an empty function stops watching.
void SetMousePointerObserver(std::function<void(int)> observer);

} // namespace platform
