#pragma once
// How the slow medium serves its reads: a stall, like a disc spinning up or a drive retrying a
// sector, then a capped throughput. A stall is armed at an offset: the first read of a stalled
// file that reaches that offset begins it, and from then on every read of a stalled file waits
// until the stall is woken (by the test, or by itself after a set time). After it the stall is
// over until armed again. What happens is written to a status file that tests read.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace slow_media {

struct MediumSettings {
    std::uint64_t bytesPerSecond = 0;                     // 0: as fast as the files underneath
    std::optional<std::uint64_t> stallFrom;               // armed from the start at this offset
    std::optional<std::chrono::milliseconds> stallLength; // a stall wakes by itself after this
    std::string stalledFile; // the file name that stalls; empty: every file
    std::string statusFile;  // empty: no status written
};

class SlowMedium {
public:
    explicit SlowMedium(MediumSettings settings);

    // Blocks while the medium is stalled for this read of name, bytes [offset, offset + size).
    void awaitRead(const std::string& name, std::uint64_t offset, std::uint64_t size);
    // Blocks for as long as size bytes take at the capped throughput; counts those of a stalled
    // file.
    void deliver(const std::string& name, std::uint64_t size);

    // The next read of a stalled file that reaches offset begins a stall.
    void arm(std::uint64_t offset);
    // Ends the stall under way or armed, and releases every read waiting on it.
    void wake();

private:
    enum class State { Idle, Armed, Stalled };

    bool stalls(const std::string& name) const;
    void writeStatus() const; // with mutex_ held

    const MediumSettings settings_;
    mutable std::mutex mutex_;
    std::condition_variable woken_;
    State state_ = State::Idle;
    std::uint64_t armedAt_ = 0;
    std::uint64_t stallNumber_ = 0; // stalls begun so far
    std::uint64_t waiting_ = 0;     // reads waiting on the stall now
    // Bytes of stalled files delivered: so far, when the stall was armed, and between arming and
    // the stall.
    std::uint64_t bytes_ = 0;
    std::uint64_t bytesWhenArmed_ = 0;
    std::uint64_t bytesBeforeStall_ = 0;
    std::chrono::steady_clock::time_point stallEnds_;
    std::chrono::steady_clock::time_point freeAt_; // when the capped medium is free again
};

} // namespace slow_media
