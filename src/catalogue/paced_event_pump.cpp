#include "catalogue/paced_event_pump.h"

namespace catalogue {

PacedEventPump::PacedEventPump(std::function<void()> pump)
    : pump_(std::move(pump)), lastPump_(std::chrono::steady_clock::now()) {}

void PacedEventPump::Tick() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ > kInterval) {
        pump_();
        lastPump_ = std::chrono::steady_clock::now();
    }
}

} // namespace catalogue
