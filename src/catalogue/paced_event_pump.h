#pragma once
// Runs an event pump from inside a long loop, but only once a pump interval has passed since the
// last run: often enough for the window to stay responsive (hot spots, dragging, repaint), rarely
// enough that a loop of many short steps is not dominated by the pump.

#include <chrono>
#include <functional>

namespace catalogue {

class PacedEventPump {
public:
    // Half a frame: the step under way when the interval ends still leaves the window painting
    // within the frame.
    static constexpr std::chrono::milliseconds kInterval{8};

    explicit PacedEventPump(std::function<void()> pump);

    // Called after each step of the loop.
    void Tick();

private:
    std::function<void()> pump_;
    std::chrono::steady_clock::time_point lastPump_;
};

} // namespace catalogue
