#pragma once
// One running copy per user session, a session being the user's display. The first copy takes a
// lock that the operating system drops when the process ends in any way (a kill included), so no
// stale lock can remain.

#include <string>

namespace platform {

// Takes the session's lock for the rest of the process; true when this copy holds it, false
// when another running copy does. Asking again gives the same answer.
bool HoldSingleInstanceLock();

#ifndef _WIN32
// The parts of the lock, for tests.
//
// The folder of the lock: the user's runtime folder (/run/user/<uid>, whether or not the
// environment names it), else a folder of the user's own in /tmp, made when missing. A folder
// counts only when it is one (not a link), belongs to the user and no one else can write to it;
// empty when none does.
std::string ChooseLockFolder(unsigned uid, const std::string& runtime,
                             const std::string& privateTemp);

// The lock file's name for the display the window shows on (a Wayland display, else an X
// display without its screen number), so that copies on one display exclude each other.
std::string LockName(const char* waylandDisplay, const char* x11Display);

// Locks the lock file at path, opened without following a link, for the rest of the process.
// False when another holder has it; true also when no lock file of the user's can be had, since
// then no other copy can be proven to run.
bool TakeLockIn(const std::string& path, unsigned uid);
#endif

} // namespace platform
