#include "system/file_identity.h"

#include <windows.h>

namespace sys {
namespace {

// FILETIME counts 100-nanosecond steps.
std::int64_t nanoseconds(const FILETIME& time) {
    return (std::int64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime) * 100;
}

} // namespace

FileIdentity IdentifyFile(const std::filesystem::path& path) {
    FileIdentity identity{path};
    const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return identity;
    }
    BY_HANDLE_FILE_INFORMATION facts{};
    const bool known = GetFileInformationByHandle(file, &facts) != 0;
    CloseHandle(file);
    if (!known) {
        return identity;
    }
    identity.device = facts.dwVolumeSerialNumber;
    identity.inode = std::uint64_t(facts.nFileIndexHigh) << 32 | facts.nFileIndexLow;
    identity.size = std::uint64_t(facts.nFileSizeHigh) << 32 | facts.nFileSizeLow;
    identity.modified = nanoseconds(facts.ftLastWriteTime);
    // The creation time stands in for the change time: a copy gets a new one.
    identity.changed = nanoseconds(facts.ftCreationTime);
    identity.exists = true;
    return identity;
}

} // namespace sys
