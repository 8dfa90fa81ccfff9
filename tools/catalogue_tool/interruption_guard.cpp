#include "catalogue_tool/interruption_guard.h"

#include <csignal>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <io.h>
#define unlink _unlink
#else
#include <unistd.h>
#endif

namespace jet_writer {

namespace {

#ifdef SIGHUP
// Those that end the process by default and can be caught; SIGKILL cannot, which is why the file
// has no name while it is written wherever the system allows it.
constexpr int stopSignals[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT, SIGPIPE,
                               SIGXFSZ, SIGXCPU, SIGALRM, SIGUSR1, SIGUSR2};
#else
constexpr int stopSignals[] = {SIGINT, SIGTERM};
#endif

// What the handler may touch: plain memory, filled before it is armed.
char guardedFile[4096];
volatile std::sig_atomic_t armed = 0;

extern "C" void RemoveAndStop(int signal) {
    if (armed) {
        unlink(guardedFile);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

InterruptionGuard::InterruptionGuard(const std::filesystem::path& file) {
    const std::string path = file.string();
    if (path.size() >= sizeof guardedFile) {
        return; // longer than any path the system opens
    }
    std::memcpy(guardedFile, path.c_str(), path.size() + 1);
    armed = 1;
    for (const int signal : stopSignals) {
        std::signal(signal, RemoveAndStop);
    }
}

InterruptionGuard::~InterruptionGuard() {
    for (const int signal : stopSignals) {
        std::signal(signal, SIG_DFL);
    }
    armed = 0;
}

} // namespace jet_writer
