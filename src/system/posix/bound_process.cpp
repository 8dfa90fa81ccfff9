#include "system/child_process.h"

#include <sys/resource.h>
#include <unistd.h>
#ifdef __linux__
#include <csignal>
#include <fstream>
#include <sys/prctl.h>
#endif

namespace sys {
namespace {

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

} // namespace

void BoundThisProcess(std::uint64_t addressSpaceBytes, std::chrono::seconds processorTime) {
    const rlim_t memory = mappedNow() + rlim_t(addressSpaceBytes);
    setLimit(RLIMIT_AS, memory, memory);
    // SIGXCPU at the soft limit, SIGKILL a second later should it be caught.
    const auto seconds = rlim_t(processorTime.count());
    setLimit(RLIMIT_CPU, seconds, seconds + 1);
#ifdef __linux__
    // A program that ends at once leaves no child behind it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
}

} // namespace sys
