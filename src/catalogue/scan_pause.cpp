#include "catalogue/scan_pause.h"

namespace catalogue {
namespace {

std::function<void()>& currentPause() {
    static std::function<void()> pause;
    return pause;
}

} // namespace

void PauseScan() {
    // A copy, since the pause may run a nested search that installs a pause of its own.
    const std::function<void()> pause = currentPause();
    if (pause) {
        pause();
    }
}

ScanPauseScope::ScanPauseScope(std::function<void()> pause)
    : previous_(std::exchange(currentPause(), std::move(pause))) {}

ScanPauseScope::~ScanPauseScope() {
    currentPause() = std::move(previous_);
}

} // namespace catalogue
