#pragma once
// Runs one operation of the program and reports any error it meets in a French message box,
// so that no failure ends the program silently or escapes into the event loop.

#include <functional>

enum class GuardOutcome { GoOn, EndOnError };

// Returns false when the operation failed.
bool RunGuarded(const std::function<void()>& operation, GuardOutcome outcome = GuardOutcome::GoOn);
