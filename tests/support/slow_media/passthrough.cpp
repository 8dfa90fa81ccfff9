#include "passthrough.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace slow_media {
namespace {

MountedFolder& mounted() {
    return *static_cast<MountedFolder*>(fuse_get_context()->private_data);
}

// The path inside the folder, for the *at calls.
const char* relative(const char* path) {
    return path[1] == '\0' ? "." : path + 1;
}

std::string nameOf(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash == nullptr ? path : slash + 1;
}

// A stalled medium answers nothing about its files, their names and sizes included.
void awaitMetadata(const char* path) {
    if (mounted().metadataStalls && path[1] != '\0') {
        mounted().medium.awaitRead(nameOf(path), 0, 1);
    }
}

void* init(fuse_conn_info* connection, fuse_config* config) {
    config->use_ino = 1;
    config->entry_timeout = 0;
    config->attr_timeout = 0;
    config->negative_timeout = 0;
    config->kernel_cache = 0;
    MountedFolder& folder = *static_cast<MountedFolder*>(fuse_get_context()->private_data);
    if (folder.maxRead != 0) {
        connection->max_read = folder.maxRead;
        connection->max_readahead = 0;
    }
    return &folder;
}

int getattr(const char* path, struct stat* facts, fuse_file_info*) {
    awaitMetadata(path);
    if (fstatat(mounted().folder, relative(path), facts, AT_SYMLINK_NOFOLLOW) != 0) {
        return -errno;
    }
    // Read-only: nobody may write, whatever the folder underneath allows.
    facts->st_mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    return 0;
}

int readdir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
            fuse_readdir_flags) {
    const int descriptor = openat(mounted().folder, relative(path), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0) {
        return -errno;
    }
    DIR* listing = fdopendir(descriptor);
    if (listing == nullptr) {
        close(descriptor);
        return -errno;
    }
    while (const dirent* entry = ::readdir(listing)) {
        struct stat facts {};
        facts.st_ino = entry->d_ino;
        facts.st_mode = mode_t(DTTOIF(entry->d_type));
        if (fill(buffer, entry->d_name, &facts, 0, fuse_fill_dir_flags(0)) != 0) {
            break;
        }
    }
    closedir(listing);
    return 0;
}

int open(const char* path, fuse_file_info* file) {
    if ((file->flags & O_ACCMODE) != O_RDONLY) {
        return -EROFS;
    }
    awaitMetadata(path);
    const int descriptor = openat(mounted().folder, relative(path), O_RDONLY);
    if (descriptor < 0) {
        return -errno;
    }
    file->fh = std::uint64_t(descriptor);
    return 0;
}

int read(const char* path, char* buffer, size_t size, off_t offset, fuse_file_info* file) {
    const std::string name = nameOf(path);
    mounted().medium.awaitRead(name, std::uint64_t(offset), size);
    const ssize_t got = pread(int(file->fh), buffer, size, offset);
    if (got < 0) {
        return -errno;
    }
    mounted().medium.deliver(name, std::uint64_t(got));
    return int(got);
}

int release(const char*, fuse_file_info* file) {
    close(int(file->fh));
    return 0;
}

int readlink(const char* path, char* buffer, size_t size) {
    const ssize_t length = readlinkat(mounted().folder, relative(path), buffer, size - 1);
    if (length < 0) {
        return -errno;
    }
    buffer[length] = '\0';
    return 0;
}

} // namespace

fuse_operations PassthroughOperations() {
    fuse_operations operations{};
    operations.init = init;
    operations.getattr = getattr;
    operations.readdir = readdir;
    operations.open = open;
    operations.read = read;
    operations.release = release;
    operations.readlink = readlink;
    return operations;
}

} // namespace slow_media
