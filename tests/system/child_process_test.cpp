// A program started beside the tests: its output through the pipe, its exit code, the limits it
// sets on itself, and killing it.

#include "system/child_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using sys::ChildProcess;
using sys::ExitStatus;

ChildProcess helper(const std::vector<std::string>& arguments) {
    return ChildProcess(ORVANE_CHILD_HELPER, arguments);
}

// Everything the child writes until its output ends.
std::string readAll(ChildProcess& child) {
    std::string text;
    char buffer[7]; // small, so that the output comes in several pieces
    while (!child.OutputEnded()) {
        text.append(buffer, child.Read(buffer, sizeof buffer, std::chrono::seconds(60)));
    }
    return text;
}

// Wine runs the Windows build's tests but does not enforce a job's memory limit (the processor
// time limit is watched from inside the child as well, so it holds there too).
bool memoryLimitIsEnforced() {
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
#else
    return true;
#endif
}

} // namespace

TEST(ChildProcessTest, OutputComesThroughThePipeWithTheArgumentsAsGiven) {
    ChildProcess child = helper({"echo", "un", "deux mots", "é'\"*"});
    EXPECT_EQ(readAll(child), "un\ndeux mots\né'\"*\n");
    EXPECT_EQ(child.Wait(), (ExitStatus{ExitStatus::Way::Exited, 0}));
    EXPECT_TRUE(child.Wait().Succeeded()) << "waiting again tells the same";
}

TEST(ChildProcessTest, ExitCodeIsTold) {
    ChildProcess child = helper({"exit", "3"});
    EXPECT_EQ(readAll(child), "");
    const ExitStatus status = child.Wait();
    EXPECT_EQ(status, (ExitStatus{ExitStatus::Way::Exited, 3}));
    EXPECT_FALSE(status.Succeeded());
}

TEST(ChildProcessTest, KillEndsAChildThatWouldNeverEnd) {
    ChildProcess child = helper({"wait"});
    child.Kill();
    EXPECT_EQ(child.Wait().way, ExitStatus::Way::Killed);
    child.Kill(); // harmless once it has ended
}

TEST(ChildProcessTest, ProcessorTimeLimitEndsTheChildAndIsNamed) {
    ChildProcess child = helper({"spin"});
    EXPECT_EQ(child.Wait().way, ExitStatus::Way::ProcessorTimeLimit);
}

TEST(ChildProcessTest, MemoryLimitRefusesAllocations) {
    if (!memoryLimitIsEnforced()) {
        GTEST_SKIP() << "memory limits are not enforced here";
    }
    ChildProcess child = helper({"allocate"});
    const std::string said = readAll(child);
#ifdef __SANITIZE_ADDRESS__
    // AddressSanitizer's operator new never throws: it reports the refused allocation and ends
    // the child before it can say anything.
    EXPECT_EQ(said, "");
    EXPECT_FALSE(child.Wait().Succeeded());
#else
    EXPECT_EQ(said, "refused\n");
    EXPECT_TRUE(child.Wait().Succeeded());
#endif
}

TEST(ChildProcessTest, AProgramThatCannotStartIsASystemError) {
    EXPECT_THROW(ChildProcess("/nonexistent/orvane-nothing", {}), std::system_error);
}

TEST(ChildProcessTest, AChildLeftRunningIsKilledWithItsObject) {
    // Nothing to see but that the destructor returns rather than waiting for ever.
    const ChildProcess child = helper({"wait"});
}

// A child that only waits uses no processor time while it waits; one that computes does.
TEST(ChildProcessTest, ProcessorTimeGrowsOnlyWhileTheChildComputes) {
    ChildProcess idle = helper({"idle"});
    std::string said;
    char buffer[16];
    while (said != "idle\n") {
        said.append(buffer, idle.Read(buffer, sizeof buffer, std::chrono::seconds(60)));
    }
    // Waiting costs the child next to nothing, far less than the time that passes, however busy
    // the machine: its processor time is not the clock. Windows counts it in ticks of 16 ms.
    const auto before = idle.ProcessorTime();
    const auto began = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto used = idle.ProcessorTime() - before;
    EXPECT_LT(used, (std::chrono::steady_clock::now() - began) / 2);

    // The spinning child ends at its limit of a second: seen before or after, its time was used.
    ChildProcess spinning = helper({"spin"});
    while (spinning.ProcessorTime() < std::chrono::milliseconds(100) &&
           !spinning.WaitFor(std::chrono::milliseconds(10))) {
    }
    EXPECT_TRUE(spinning.ProcessorTime() >= std::chrono::milliseconds(100) ||
                spinning.Wait().way == ExitStatus::Way::ProcessorTimeLimit);
}

TEST(ChildProcessTest, AnAbandonedChildIsKilledWithoutWaitingForIt) {
    ChildProcess child = helper({"wait"});
    child.Abandon();
    EXPECT_EQ(child.Wait().way, ExitStatus::Way::Killed);
    child.Abandon(); // harmless once abandoned
}

#ifndef _WIN32
// What ended the child says whether its file is to blame: a page the system could not read, or a
// signal from someone else, is not.
TEST(ChildProcessTest, SignalsFromTheMediumOrFromOutsideAreToldApart) {
    const std::vector<std::pair<int, ExitStatus::Way>> signals{
        {SIGBUS, ExitStatus::Way::MediumFailed},      {SIGKILL, ExitStatus::Way::EndedFromOutside},
        {SIGTERM, ExitStatus::Way::EndedFromOutside}, {SIGHUP, ExitStatus::Way::EndedFromOutside},
        {SIGSEGV, ExitStatus::Way::Signal},           {SIGABRT, ExitStatus::Way::Signal},
    };
    for (const auto& [signal, way] : signals) {
        ChildProcess child = helper({"raise", std::to_string(signal)});
        EXPECT_EQ(child.Wait(), (ExitStatus{way, signal})) << signal;
    }
}
#endif
