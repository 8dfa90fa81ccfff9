#include "linux/single_instance.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

#ifdef _WIN32
bool takeLock() {
    // A named mutex in the session's namespace lives as long as a process holds its handle.
    CreateMutexW(nullptr, TRUE, L"Local\\OrvaneZelkis.SingleInstance");
    return GetLastError() != ERROR_ALREADY_EXISTS;
}
#else
bool ownPrivateFolder(const std::string& path, unsigned uid) {
    struct stat facts {};
    return !path.empty() && ::lstat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode) &&
           facts.st_uid == uid && (facts.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool takeLock() {
    const unsigned uid = getuid();
    const std::string number = std::to_string(uid);
    const std::string folder =
        ChooseLockFolder(uid, "/run/user/" + number, "/tmp/orvane-zelkis-" + number);
    const std::string name = LockName(std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"));
    return folder.empty() || TakeLockIn(folder + '/' + name, uid);
}
#endif

} // namespace

#ifndef _WIN32
std::string ChooseLockFolder(unsigned uid, const std::string& runtime,
                             const std::string& privateTemp) {
    if (ownPrivateFolder(runtime, uid)) {
        return runtime;
    }
    ::mkdir(privateTemp.c_str(), 0700); // fails harmlessly when it is there
    return ownPrivateFolder(privateTemp, uid) ? privateTemp : std::string();
}

std::string LockName(const char* waylandDisplay, const char* x11Display) {
    std::string display;
    if (waylandDisplay != nullptr && *waylandDisplay != '\0') {
        display = waylandDisplay;
    } else if (x11Display != nullptr) {
        // host:display.screen; every screen of a display is one session.
        display = x11Display;
        const std::size_t colon = display.rfind(':');
        const std::size_t dot = display.find('.', colon == std::string::npos ? 0 : colon);
        display = display.substr(0, dot);
    }
    std::string name = "orvane-zelkis";
    if (!display.empty()) {
        name += '-';
    }
    for (const char c : display) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name + ".lock";
}

bool TakeLockIn(const std::string& path, unsigned uid) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return true;
    }
    struct stat facts {};
    if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode) || facts.st_uid != uid) {
        ::close(fd);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        return true; // the descriptor stays open, and the lock held, until the process ends
    }
    ::close(fd);
    return false;
}
#endif

bool HoldSingleInstanceLock() {
    static const bool held = takeLock();
    return held;
}

} // namespace platform
