#include "catalogue_tool/replacing_file.h"

#include "catalogue_tool/errors.h"
#include "system/utf8_path.h"

#include <cerrno>
#include <climits>
#include <random>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace jet_writer {

namespace {

// Longest name of a file in a folder.
#ifdef NAME_MAX
constexpr std::size_t nameMax = NAME_MAX;
#else
constexpr std::size_t nameMax = 255;
#endif
constexpr int maxLinkHops = 40;

std::string Quoted(const std::filesystem::path& path) {
    return "« " + sys::Utf8Of(path) + " »";
}

bool FlushToDisk(std::FILE* stream) {
    if (std::fflush(stream) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(stream)) == 0;
#else
    return fsync(fileno(stream)) == 0;
#endif
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// The file a path names once its symbolic links are followed, whether it exists or not.
std::filesystem::path FollowLinks(std::filesystem::path path, const std::filesystem::path& target) {
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error)) {
            return path;
        }
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) {
            throw FileError("impossible de suivre le lien " + Quoted(target) + " : " +
                            SystemErrorText(error.value()));
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    throw FileError("impossible de suivre le lien " + Quoted(target) + " : " +
                    SystemErrorText(ELOOP));
}

// ".name.number.tmp", the name cut short (at a character's start) to fit a folder's limit.
std::filesystem::path TemporaryName(const std::filesystem::path& destination, unsigned suffix) {
    std::string tail = ".";
    tail += std::to_string(suffix);
    tail += ".tmp";
    std::string name = destination.filename().string();
    if (1 + name.size() + tail.size() > nameMax) {
        name.resize(nameMax - 1 - tail.size());
        while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xc0) == 0x80) {
            name.pop_back();
        }
        if (!name.empty() && static_cast<unsigned char>(name.back()) >= 0xc0) {
            name.pop_back();
        }
    }
    return FolderOf(destination) / ("." + name + tail);
}

} // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {
    if (target_.filename().empty()) {
        throw FileError("nom de fichier de sortie manquant dans " + Quoted(target_));
    }
    destination_ = FollowLinks(target_, target_);
    if (!openUnnamed()) {
        openNamed();
    }
    keepMode();
}

bool ReplacingFile::openUnnamed() {
#if defined(__linux__) && defined(O_TMPFILE)
    // Naming the file later goes through /proc; without it the file could not be put in place.
    if (access("/proc/self/fd", F_OK) != 0) {
        return false;
    }
    const int fd = open(FolderOf(destination_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false; // not on this file system; a named file reports any other fault
    }
    stream_ = fdopen(fd, "wb");
    if (!stream_) {
        close(fd);
        return false;
    }
    return true;
#else
    return false;
#endif
}

void ReplacingFile::openNamed() {
    std::random_device random;
    int lastError = 0;
    for (int attempt = 0; attempt < 100 && !stream_; ++attempt) {
        temporary_ = TemporaryName(destination_, random());
        errno = 0;
        // Fails if it exists. Windows takes any name only in UTF-16.
#ifdef _WIN32
        stream_ = _wfopen(temporary_.c_str(), L"wbx");
#else
        stream_ = std::fopen(temporary_.c_str(), "wbx");
#endif
        lastError = errno;
        if (!stream_ && lastError != EEXIST) {
            break;
        }
    }
    if (!stream_) {
        throw FileError("impossible de créer un fichier dans le dossier de " + Quoted(target_) +
                        " : " + SystemErrorText(lastError));
    }
    guard_.emplace(temporary_);
}

void ReplacingFile::keepMode() {
#ifndef _WIN32
    struct stat replaced {};
    if (stat(destination_.c_str(), &replaced) != 0 || !S_ISREG(replaced.st_mode)) {
        return; // a new file: the usual mode for the user
    }
    const int fd = fileno(stream_);
    // The group only when the user may give it; the mode in any case.
    if (fchown(fd, static_cast<uid_t>(-1), replaced.st_gid) != 0) {
        errno = 0;
    }
    fchmod(fd, replaced.st_mode & 07777);
#endif
}

ReplacingFile::~ReplacingFile() {
    if (!stream_) {
        return;
    }
    std::fclose(stream_);
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

void ReplacingFile::nameUnnamed() {
#ifndef _WIN32
    const std::string self = "/proc/self/fd/" + std::to_string(fileno(stream_));
    std::random_device random;
    int lastError = EEXIST;
    for (int attempt = 0; attempt < 100 && lastError == EEXIST; ++attempt) {
        temporary_ = TemporaryName(destination_, random());
        // Guarded first: the name may exist from the link on.
        guard_.emplace(temporary_);
        lastError =
            linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0
                ? 0
                : errno;
    }
    if (lastError != 0) {
        guard_.reset();
        temporary_.clear();
        throw FileError("impossible de créer un fichier dans le dossier de " + Quoted(target_) +
                        " : " + SystemErrorText(lastError));
    }
#endif
}

void ReplacingFile::commit() {
    errno = 0;
    const bool flushed = FlushToDisk(stream_);
    const int flushError = errno;
    if (flushed && temporary_.empty()) {
        try {
            nameUnnamed();
        } catch (...) {
            std::fclose(stream_);
            stream_ = nullptr;
            throw;
        }
    }
    errno = 0;
    const bool closed = std::fclose(stream_) == 0;
    const int closeError = errno;
    stream_ = nullptr;
    std::error_code error;
    if (!flushed || !closed) {
        if (!temporary_.empty()) {
            std::filesystem::remove(temporary_, error);
        }
        throw FileError("écriture de " + Quoted(target_) +
                        " impossible : " + SystemErrorText(flushed ? closeError : flushError));
    }
    std::filesystem::rename(temporary_, destination_, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        throw FileError("impossible de remplacer " + Quoted(target_) + " : " +
                        SystemErrorText(error.value()));
    }
    guard_.reset();
}

} // namespace jet_writer
