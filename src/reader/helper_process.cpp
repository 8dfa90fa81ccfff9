#include "reader/helper_process.h"

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace reader {

std::FILE* TakeStandardOutputAsChannel() {
#ifdef _WIN32
    const int channel = _dup(_fileno(stdout));
    const int nowhere = _open("NUL", _O_WRONLY);
    if (channel < 0 || nowhere < 0 || _dup2(nowhere, _fileno(stdout)) != 0) {
        return nullptr;
    }
    _close(nowhere);
    _setmode(channel, _O_BINARY);
    return _fdopen(channel, "wb");
#else
    const int channel = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (channel < 0 || nowhere < 0 || dup2(nowhere, STDOUT_FILENO) < 0) {
        return nullptr;
    }
    close(nowhere);
#ifdef __linux__
    // A larger pipe lets the reader run ahead of the program instead of waiting on it.
    fcntl(channel, F_SETPIPE_SZ, 1 << 20);
#endif
    return fdopen(channel, "wb");
#endif
}

std::FILE* TakeStandardInputAsRequests() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    return stdin;
}

} // namespace reader
