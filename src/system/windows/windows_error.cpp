#include "system/windows/windows_error.h"

#include <windows.h>

#include <cerrno>

namespace sys {

int ErrnoOf(unsigned long windowsError) {
    switch (windowsError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_COMMITMENT_LIMIT:
        return ENOMEM;
    case ERROR_FILE_INVALID:
    case ERROR_INVALID_PARAMETER:
        return EINVAL;
    case ERROR_BROKEN_PIPE:
        return EPIPE;
    default:
        return EIO;
    }
}

void ThrowLastError(const char* what) {
    throw std::system_error(ErrnoOf(GetLastError()), std::generic_category(), what);
}

} // namespace sys
