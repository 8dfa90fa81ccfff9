// Calls that block on a slow medium run away from the waiting thread: its step runs meanwhile,
// what the call gives or throws comes back, and a call still blocked at the deadline is left to
// finish on its own.

#include "catalogue/away_call.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>

using catalogue::CallAway;
using namespace std::chrono_literals;

namespace {

const auto kFarOff = [] { return std::chrono::steady_clock::now() + 10min; };

// A call that blocks until the test lets it go.
struct Gate {
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
};

// Tells which thread destroyed it.
struct Doomed {
    std::promise<std::thread::id> freedOn;
    ~Doomed() { freedOn.set_value(std::this_thread::get_id()); }
};

} // namespace

TEST(AwayCallTest, TheCallersStepRunsWhileTheCallBlocks) {
    auto gate = std::make_shared<Gate>();
    int steps = 0;
    const auto answer = CallAway(
        [gate] {
            gate->opened.wait();
            return 42;
        },
        kFarOff(),
        [&] {
            if (++steps == 3) {
                gate->open.set_value();
            }
        });
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, 42);
    EXPECT_GE(steps, 3);
}

TEST(AwayCallTest, WhatTheCallThrowsComesBack) {
    EXPECT_THROW(CallAway([]() -> int { throw std::runtime_error("illisible"); }, kFarOff(), {}),
                 std::runtime_error);
}

// The call cannot end before the test lets it go, so the deadline always comes first.
TEST(AwayCallTest, ACallBlockedPastTheDeadlineIsGivenUpAndEndsOnItsOwn) {
    auto gate = std::make_shared<Gate>();
    auto ended = std::make_shared<std::promise<void>>();
    const auto answer = CallAway(
        [gate, ended] {
            gate->opened.wait();
            ended->set_value();
            return 1;
        },
        std::chrono::steady_clock::now() + 20ms, [] {});
    EXPECT_FALSE(answer.has_value());
    gate->open.set_value();
    ended->get_future().wait();
}

TEST(AwayCallTest, AnObjectDeletedAwayIsFreedOnAnotherThreadThanItsLastOwners) {
    auto* doomed = new Doomed;
    std::future<std::thread::id> freed = doomed->freedOn.get_future();
    std::shared_ptr<Doomed> owner(doomed, catalogue::DeleteAway<Doomed>);
    owner.reset();
    EXPECT_NE(freed.get(), std::this_thread::get_id());
}
