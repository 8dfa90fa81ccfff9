#include "helper_process.h"

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <csignal>
#include <fstream>
#include <sys/prctl.h>
#endif

namespace reader {
namespace {

#ifndef _WIN32
// The address space the process maps now; 0 where the system does not tell.
rlim_t mappedNow() {
#ifdef __linux__
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    if (statm >> pages) {
        return pages * rlim_t(sysconf(_SC_PAGESIZE));
    }
#endif
    return 0;
}

void setLimit(int resource, rlim_t soft, rlim_t hard) {
    const rlimit limit{soft, hard};
    setrlimit(resource, &limit);
}
#endif

} // namespace

void BoundThisProcess(const catalogue::ReaderLimits& limits) {
#ifndef _WIN32
    const rlim_t memory = mappedNow() + rlim_t(limits.memoryBytes);
    setLimit(RLIMIT_AS, memory, memory);
    // SIGXCPU at the soft limit, SIGKILL a second later should it be caught.
    const auto seconds = rlim_t(limits.processorTime.count());
    setLimit(RLIMIT_CPU, seconds, seconds + 1);
#else
    (void)limits;
#endif
#ifdef __linux__
    // A program that ends at once leaves no reader behind it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
}

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

} // namespace reader
