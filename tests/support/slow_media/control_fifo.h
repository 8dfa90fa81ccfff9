#pragma once
// The commands a test gives the slow medium, one a line, through a named pipe that the medium
// creates and listens on for as long as it runs:
//     stall OFFSET   the next read that reaches OFFSET stalls (0: the very next read)
//     wake           the stall ends: the disk answers again

#include "slow_medium.h"

#include <string>

namespace slow_media {

// Creates the pipe at path and listens on it in a thread of its own; false when the pipe cannot
// be made.
bool ListenForCommands(const std::string& path, SlowMedium& medium);

} // namespace slow_media
