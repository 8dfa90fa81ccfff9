#include "catalogue/file_identity.h"

#include <QFile>

#include <sys/stat.h>

namespace catalogue {
namespace {

#ifndef _WIN32
std::int64_t nanoseconds(const timespec& time) {
    return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}
#endif

} // namespace

FileIdentity IdentifyFile(const QString& path) {
    FileIdentity identity{path};
#ifdef _WIN32
    // The creation time stands in for the change time: a copy gets a new one.
    struct _stat64 facts {};
    if (_wstat64(reinterpret_cast<const wchar_t*>(path.utf16()), &facts) != 0) {
        return identity;
    }
    identity.modified = std::int64_t(facts.st_mtime) * 1'000'000'000;
    identity.changed = std::int64_t(facts.st_ctime) * 1'000'000'000;
#else
    struct stat facts {};
    if (::stat(QFile::encodeName(path).constData(), &facts) != 0) {
        return identity;
    }
    identity.modified = nanoseconds(facts.st_mtim);
    identity.changed = nanoseconds(facts.st_ctim);
#endif
    identity.device = std::uint64_t(facts.st_dev);
    identity.inode = std::uint64_t(facts.st_ino);
    identity.size = std::uint64_t(facts.st_size);
    identity.exists = true;
    return identity;
}

} // namespace catalogue
