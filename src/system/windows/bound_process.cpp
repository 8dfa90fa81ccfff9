#include "system/child_process.h"

#include <windows.h>

namespace sys {

// A job of its own bounds the process: its committed memory, and its
// processor time, past which the system ends it with ERROR_NOT_ENOUGH_QUOTA.
void BoundThisProcess(std::uint64_t addressSpaceBytes, std::chrono::seconds processorTime) {
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job == nullptr) {
        return;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_PROCESS_TIME;
    limits.BasicLimitInformation.PerProcessUserTimeLimit.QuadPart =
        processorTime.count() * 10'000'000; // in 100-nanosecond steps
    limits.ProcessMemoryLimit = SIZE_T(addressSpaceBytes);
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job, GetCurrentProcess());
    // The handle stays open: the job, and its limits, last as long as the process.
}

} // namespace sys
