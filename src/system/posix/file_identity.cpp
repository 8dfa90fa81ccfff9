#include "system/file_identity.h"

#include <sys/stat.h>

namespace sys {
namespace {

std::int64_t nanoseconds(const timespec& time) {
    return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

FileIdentity IdentifyFile(const std::filesystem::path& path) {
    FileIdentity identity{path};
    struct stat facts {};
    if (::stat(path.c_str(), &facts) != 0) {
        return identity;
    }
    identity.device = std::uint64_t(facts.st_dev);
    identity.inode = std::uint64_t(facts.st_ino);
    identity.size = std::uint64_t(facts.st_size);
    identity.modified = nanoseconds(facts.st_mtim);
    identity.changed = nanoseconds(facts.st_ctim);
    identity.exists = true;
    return identity;
}

} // namespace sys
