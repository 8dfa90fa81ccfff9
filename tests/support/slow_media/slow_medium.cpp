#include "slow_medium.h"

#include <cstdio>
#include <thread>

namespace slow_media {

SlowMedium::SlowMedium(MediumSettings settings) : settings_(std::move(settings)) {
    if (settings_.stallFrom) {
        state_ = State::Armed;
        armedAt_ = *settings_.stallFrom;
    }
    const std::lock_guard lock(mutex_);
    writeStatus();
}

bool SlowMedium::stalls(const std::string& name) const {
    return settings_.stalledFile.empty() || name == settings_.stalledFile;
}

void SlowMedium::awaitRead(const std::string& name, std::uint64_t offset, std::uint64_t size) {
    std::unique_lock lock(mutex_);
    if (!stalls(name)) {
        return;
    }
    if (state_ == State::Armed && offset + size > armedAt_) {
        state_ = State::Stalled;
        ++stallNumber_;
        bytesBeforeStall_ = bytes_ - bytesWhenArmed_;
        if (settings_.stallLength) {
            stallEnds_ = std::chrono::steady_clock::now() + *settings_.stallLength;
        }
    }
    if (state_ != State::Stalled) {
        return;
    }
    const std::uint64_t stall = stallNumber_;
    const auto over = [this, stall] { return state_ != State::Stalled || stallNumber_ != stall; };
    ++waiting_;
    writeStatus();
    if (!settings_.stallLength) {
        woken_.wait(lock, over);
    } else if (!woken_.wait_until(lock, stallEnds_, over)) {
        state_ = State::Idle;
        woken_.notify_all();
    }
    --waiting_;
    writeStatus();
}

void SlowMedium::deliver(const std::string& name, std::uint64_t size) {
    std::chrono::steady_clock::time_point until;
    {
        const std::lock_guard lock(mutex_);
        if (stalls(name)) {
            bytes_ += size;
        }
        if (settings_.bytesPerSecond != 0) {
            const auto takes =
                std::chrono::microseconds(size * 1'000'000 / settings_.bytesPerSecond);
            freeAt_ = std::max(freeAt_, std::chrono::steady_clock::now()) +
                      std::chrono::duration_cast<std::chrono::steady_clock::duration>(takes);
            until = freeAt_;
        }
        writeStatus();
    }
    if (settings_.bytesPerSecond != 0) {
        std::this_thread::sleep_until(until);
    }
}

void SlowMedium::arm(std::uint64_t offset) {
    const std::lock_guard lock(mutex_);
    if (state_ == State::Stalled) {
        woken_.notify_all();
    }
    state_ = State::Armed;
    armedAt_ = offset;
    bytesWhenArmed_ = bytes_;
    writeStatus();
}

void SlowMedium::wake() {
    const std::lock_guard lock(mutex_);
    state_ = State::Idle;
    woken_.notify_all();
    writeStatus();
}

void SlowMedium::writeStatus() const {
    if (settings_.statusFile.empty()) {
        return;
    }
    static constexpr const char* kStateNames[] = {"idle", "armed", "stalled"};
    // Written aside, then renamed over the status: a reader never sees half of it.
    const std::string fresh = settings_.statusFile + ".new";
    std::FILE* out = std::fopen(fresh.c_str(), "w");
    if (out == nullptr) {
        return;
    }
    std::fprintf(out, "state=%s\nstalls=%llu\nwaiting=%llu\nbytes=%llu\nbytes_before_stall=%llu\n",
                 kStateNames[static_cast<int>(state_)],
                 static_cast<unsigned long long>(stallNumber_),
                 static_cast<unsigned long long>(waiting_), static_cast<unsigned long long>(bytes_),
                 static_cast<unsigned long long>(bytesBeforeStall_));
    std::fclose(out);
    std::rename(fresh.c_str(), settings_.statusFile.c_str());
}

} // namespace slow_media
