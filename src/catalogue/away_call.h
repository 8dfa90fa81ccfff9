#pragma once
// Runs a call that may block on a slow medium (looking a file up, reading its first bytes) on a
// thread of its own, so that the waiting thread goes on with its own steps, such as the window's
// event pump. Past the deadline the call is left to finish unwatched: its thread holds all it
// uses, and its result is dropped. Frees large objects on a thread of their own as well.

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <thread>
#include <type_traits>

namespace catalogue {

using Deadline = std::chrono::steady_clock::time_point;

// How often a wait runs its caller's step: half a pump interval, so that the window's event pump,
// passed as the step, still runs within a frame when a busy processor wakes the waiting thread
// late.
inline constexpr std::chrono::milliseconds kWaitStep{4};

// When this thread's waits last ran their step. The waits of a thread keep one beat, so that a
// run of short waits, none lasting a whole step (looking the file up, then reading its start),
// still runs the step every kWaitStep.
inline thread_local Deadline lastWaitStep{};

// Waits for result, running whileWaiting (when given) every step; false when the deadline came
// first.
template <class Future>
bool AwaitUntil(const Future& result, Deadline deadline,
                const std::function<void()>& whileWaiting) {
    for (;;) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        }
        const Deadline step =
            whileWaiting ? std::min(deadline, lastWaitStep + kWaitStep) : deadline;
        if (result.wait_until(step) == std::future_status::ready) {
            return true;
        }
        if (whileWaiting) {
            whileWaiting();
            lastWaitStep = std::chrono::steady_clock::now();
        }
    }
}

// What call returns, or nullopt when the deadline came first; what it throws comes through.
template <class Call>
std::optional<std::invoke_result_t<Call>> CallAway(Call call, Deadline deadline,
                                                   const std::function<void()>& whileWaiting) {
    std::packaged_task<std::invoke_result_t<Call>()> task(std::move(call));
    auto result = task.get_future();
    std::thread(std::move(task)).detach();
    if (!AwaitUntil(result, deadline, whileWaiting)) {
        return std::nullopt;
    }
    return result.get();
}

// Deletes doomed on a thread of its own, as the deleter of an object whose freeing takes longer
// than a frame (a catalogue's rows, hundreds of megabytes): whichever owner lets go last, the
// window's thread perhaps, goes on at once.
template <class T> void DeleteAway(T* doomed) noexcept {
    try {
        std::thread([doomed] { delete doomed; }).detach();
    } catch (...) {
        delete doomed; // no thread to be had: freed here, late rather than never
    }
}

} // namespace catalogue
