#include "platform/single_instance.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
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
QString lockPath() {
    // The runtime folder belongs to the user's session; the temporary folder with the user id
    // stands in where a session has none.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        return QDir::tempPath() + QStringLiteral("/orvane-zelkis-%1.lock").arg(getuid());
    }
    return folder + QStringLiteral("/orvane-zelkis.lock");
}

bool takeLock() {
    const QByteArray path = QFile::encodeName(lockPath());
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // Without a lock file no other copy can be proven to run: let this one start.
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        return true; // the descriptor stays open, and the lock held, until the process ends
    }
    ::close(fd);
    return false;
}
#endif

} // namespace

bool HoldSingleInstanceLock() {
    static const bool held = takeLock();
    return held;
}

} // namespace platform
