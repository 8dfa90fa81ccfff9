#pragma once
// What tells a file apart from the one read before under the same path. Size and modification
// time alone miss a copy made with its times kept (cp -p, rsync -t, a restored backup); the
// file's number on its device and its change time are what no copy can keep, so any
// replacement shows.

#include <cstdint>
#include <filesystem>

namespace sys {

struct FileIdentity {
    std::filesystem::path path;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds
    std::int64_t changed = 0;  // nanoseconds
    bool exists = false;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentifyFile(const std::filesystem::path& path);

} // namespace sys
