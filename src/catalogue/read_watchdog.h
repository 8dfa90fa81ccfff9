#pragma once
// Tells a read that waits for its medium from one that is stuck. The reading helper's progress is
// the bytes it sends. Between two sends it may spend only so much processor time: a helper that
// computes without producing anything loops on a damaged file. Waiting for a disk costs it no
// processor time, so a helper waiting for a disc to spin up, a drive retrying a sector or a
// network share is given wall-clock time instead, far more; past it the medium is given up for
// now, which says nothing of the file.

#include <chrono>

namespace catalogue {

struct ReadPatience {
    std::chrono::milliseconds processorTime; // spent without progress: the read loops
    std::chrono::milliseconds wallTime;      // passed without progress: the medium does not answer
};

class ReadWatchdog {
public:
    using Clock = std::chrono::steady_clock;
    enum class Verdict { Reading, Looping, NotAnswering };

    // processorTime: what the helper has used so far.
    ReadWatchdog(ReadPatience patience, Clock::time_point now,
                 std::chrono::nanoseconds processorTime);

    // The helper sent something.
    void Progressed(Clock::time_point now, std::chrono::nanoseconds processorTime);

    // A loop is told first: a helper that used its processor time without sending anything is
    // stuck on the file, however long it also took.
    Verdict Judge(Clock::time_point now, std::chrono::nanoseconds processorTime) const;

private:
    ReadPatience patience_;
    Clock::time_point lastProgress_;
    std::chrono::nanoseconds processorAtProgress_;
};

} // namespace catalogue
