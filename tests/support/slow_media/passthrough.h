#pragma once
// The file system's operations: a read-only view of one folder whose reads go through the slow
// medium. Nothing is cached by the kernel between opens, and names and attributes are asked
// afresh each time, so a file replaced in the folder shows at once and every new reader of a
// file reads it from the medium.

#define FUSE_USE_VERSION 31
#include <fuse.h>

#include "slow_medium.h"

namespace slow_media {

struct MountedFolder {
    int folder; // descriptor of the folder shown
    SlowMedium& medium;
    bool metadataStalls; // looking a stalled file up or opening it waits on a stall too
    unsigned maxRead; // the most the kernel asks for in a read, reading no further; 0: its choice
};

// The operations; fuse_main's private data must be a MountedFolder.
fuse_operations PassthroughOperations();

} // namespace slow_media
