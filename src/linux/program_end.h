#pragma once
// Ending the program at once: no unload step, no further event, no destructor runs.

#include <functional>

namespace platform {

[[noreturn]] void End();

// Tests replace the ending; a handler must not return (it throws, for instance). An empty
// handler restores the real ending.
void SetEndHandler(std::function<void()> handler);

} // namespace platform
