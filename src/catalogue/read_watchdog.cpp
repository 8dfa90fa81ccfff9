#include "catalogue/read_watchdog.h"

namespace catalogue {

ReadWatchdog::ReadWatchdog(ReadPatience patience, Clock::time_point now,
                           std::chrono::nanoseconds processorTime)
    : patience_(patience), lastProgress_(now), processorAtProgress_(processorTime) {}

void ReadWatchdog::Progressed(Clock::time_point now, std::chrono::nanoseconds processorTime) {
    lastProgress_ = now;
    processorAtProgress_ = processorTime;
}

ReadWatchdog::Verdict ReadWatchdog::Judge(Clock::time_point now,
                                          std::chrono::nanoseconds processorTime) const {
    if (processorTime - processorAtProgress_ > patience_.processorTime) {
        return Verdict::Looping;
    }
    if (now - lastProgress_ > patience_.wallTime) {
        return Verdict::NotAnswering;
    }
    return Verdict::Reading;
}

} // namespace catalogue
