#pragma once
// Runs a call that may block on a slow medium (looking a file up, reading its first bytes) on a
// thread of its own, so that the waiting thread goes on with its own steps, such as the window's
// event pump. Past the deadline the call is left to finish unwatched: its thread holds all it
// uses, and its result is dropped.

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <thread>
#include <type_traits>

namespace catalogue {

using Deadline = std::chrono::steady_clock::time_point;

// How often a wait runs its caller's step.
inline constexpr std::chrono::milliseconds kWaitStep{10};

// Waits for result, running whileWaiting (when given) every step; false when the deadline came
// first.
template <class Future>
bool AwaitUntil(const Future& result, Deadline deadline,
                const std::function<void()>& whileWaiting) {
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        }
        const Deadline step = whileWaiting ? std::min(deadline, now + kWaitStep) : deadline;
        if (result.wait_until(step) == std::future_status::ready) {
            return true;
        }
        if (whileWaiting) {
            whileWaiting();
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

} // namespace catalogue
