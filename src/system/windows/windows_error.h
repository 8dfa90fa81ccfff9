#pragma once
// Windows' error codes as the portable error conditions the core tests for (a missing file, a
// refused access, a file locked by another program, memory), so that the same French message
// answers the same trouble on every system.

#include <system_error>

namespace sys {

// The errno value that stands for a Windows error code; EIO for codes with no closer meaning.
int ErrnoOf(unsigned long windowsError);

// Throws the calling thread's last Windows error as a std::system_error in the generic
// category, naming what failed.
[[noreturn]] void ThrowLastError(const char* what);

} // namespace sys
