#pragma once
// One running copy per user session. The first copy takes a lock that the operating system
// drops when the process ends in any way (a kill included), so no stale lock can remain.

namespace platform {

// Takes the session's lock for the rest of the process; true when this copy holds it, false
// when another running copy does. Asking again gives the same answer.
bool HoldSingleInstanceLock();

} // namespace platform
