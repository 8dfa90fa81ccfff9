#pragma once
// Removes a file if the process is stopped by Ctrl-C, kill or a closed terminal while the
// guard lives, so that an interrupted build leaves no temporary file behind. One guard at a
// time.

#include <filesystem>

namespace jet_writer {

class InterruptionGuard {
public:
    explicit InterruptionGuard(const std::filesystem::path& file);
    ~InterruptionGuard();
    InterruptionGuard(const InterruptionGuard&) = delete;
    InterruptionGuard& operator=(const InterruptionGuard&) = delete;
};

} // namespace jet_writer
