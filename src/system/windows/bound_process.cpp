#include "system/child_process.h"

#include <windows.h>

#include <psapi.h>

#include <thread>

namespace sys {
namespace {

// How the process ends when it passes its processor time, as the system ends it.
constexpr UINT kProcessorTimeExit = ERROR_NOT_ENOUGH_QUOTA;

std::int64_t userTicks() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return (std::int64_t(user.dwHighDateTime) << 32) | user.dwLowDateTime;
}

// The job's own limit does not hold everywhere: a process already in a job cannot join
// another before Windows 8, and wine does not enforce job limits. A thread of the process
// watches its user-mode time as well and ends it the way the job would.
void watchProcessorTime(std::int64_t limitTicks) {
    std::thread([limitTicks] {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (userTicks() >= limitTicks) {
                TerminateProcess(GetCurrentProcess(), kProcessorTimeExit);
            }
        }
    }).detach();
}

// Memory the process has committed now: its program, its libraries and its start-up heap.
std::uint64_t committedNow() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return 0;
    }
    return counters.PagefileUsage;
}

} // namespace

void BoundThisProcess(std::uint64_t addressSpaceBytes, std::chrono::seconds processorTime) {
    // A job of its own, inside the one its parent made (which ends it with the parent): past
    // the memory, allocations fail; past the time, the system ends it with
    // ERROR_NOT_ENOUGH_QUOTA, which its parent reads as the processor time limit.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                                              JOB_OBJECT_LIMIT_JOB_TIME |
                                              JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    limits.ProcessMemoryLimit = static_cast<SIZE_T>(committedNow() + addressSpaceBytes);
    // 100-nanosecond ticks of user-mode time.
    const std::int64_t ticks = std::int64_t(processorTime.count()) * 10'000'000;
    limits.BasicLimitInformation.PerJobUserTimeLimit.QuadPart = ticks;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job, GetCurrentProcess());
    // The handle stays open for the life of the process, and the job with it.
    watchProcessorTime(ticks);
}

} // namespace sys
