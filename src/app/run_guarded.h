#pragma once
// Runs one operation of the window and reports any error it meets in a French message box, so
// that no failure ends the program silently or escapes into the front end's event loop.

#include "app/runtime.h"

#include <functional>

namespace app {

enum class GuardOutcome { GoOn, EndOnError };

// Returns false when the operation failed.
bool RunGuarded(Runtime& runtime, const std::function<void()>& operation,
                GuardOutcome outcome = GuardOutcome::GoOn);

} // namespace app
