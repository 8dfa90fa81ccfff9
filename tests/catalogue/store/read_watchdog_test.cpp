// The watchdog over a reading helper, on made-up clocks: processor time spent without sending is
// a loop, wall-clock time without sending is a medium that does not answer, and each send starts
// both counts afresh.

#include "catalogue/read_watchdog.h"

#include <gtest/gtest.h>

using catalogue::ReadPatience;
using catalogue::ReadWatchdog;
using Verdict = ReadWatchdog::Verdict;
using namespace std::chrono_literals;

namespace {

const ReadPatience kPatience{3s, 60s};
const ReadWatchdog::Clock::time_point kStart{100s};

} // namespace

TEST(ReadWatchdogTest, WaitingWithoutProcessorTimeIsReadingUntilTheWallClockAllowance) {
    const ReadWatchdog watchdog(kPatience, kStart, 1s);
    EXPECT_EQ(watchdog.Judge(kStart + 59s, 1s), Verdict::Reading);
    EXPECT_EQ(watchdog.Judge(kStart + 60s, 1s + 10ms), Verdict::Reading);
    EXPECT_EQ(watchdog.Judge(kStart + 60s + 1ms, 1s), Verdict::NotAnswering);
}

TEST(ReadWatchdogTest, ProcessorTimeWithoutProgressIsALoopHoweverLittleTimePassed) {
    const ReadWatchdog watchdog(kPatience, kStart, 1s);
    EXPECT_EQ(watchdog.Judge(kStart + 3s, 4s), Verdict::Reading);
    EXPECT_EQ(watchdog.Judge(kStart + 3s, 4s + 1ms), Verdict::Looping);
    EXPECT_EQ(watchdog.Judge(kStart + 10min, 5s), Verdict::Looping)
        << "a helper that used its time and also waited long loops all the same";
}

TEST(ReadWatchdogTest, ProgressStartsBothCountsAfresh) {
    ReadWatchdog watchdog(kPatience, kStart, 0s);
    watchdog.Progressed(kStart + 50s, 2500ms);
    EXPECT_EQ(watchdog.Judge(kStart + 100s, 5s), Verdict::Reading);
    EXPECT_EQ(watchdog.Judge(kStart + 100s, 5500ms + 1ms), Verdict::Looping);
    EXPECT_EQ(watchdog.Judge(kStart + 110s + 1ms, 2500ms), Verdict::NotAnswering);
}

// A slow medium that sends a little now and then is read to the end, however long it takes.
TEST(ReadWatchdogTest, ASlowSteadyReadIsNeverGivenUp) {
    ReadWatchdog watchdog(kPatience, kStart, 0s);
    auto now = kStart;
    auto processor = 0ms;
    for (int send = 0; send < 1000; ++send) {
        now += 59s;
        processor += 2900ms;
        ASSERT_EQ(watchdog.Judge(now, processor), Verdict::Reading) << send;
        watchdog.Progressed(now, processor);
    }
}
