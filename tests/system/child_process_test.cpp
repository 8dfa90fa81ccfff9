// A program started beside the tests: its input and output through pipes, its exit code, the
// limits it sets on itself, and killing it.

#include "system/child_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

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

// What the child writes until size bytes have come or its output ends.
std::string readSome(ChildProcess& child, std::size_t size) {
    std::string text;
    char buffer[7];
    while (text.size() < size && !child.OutputEnded()) {
        const std::size_t wanted = std::min(sizeof buffer, size - text.size());
        text.append(buffer, child.Read(buffer, wanted, std::chrono::seconds(60)));
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

TEST(ChildProcessInputTest, WhatIsSentReachesTheChildInOrderWhileItRuns) {
    ChildProcess child = helper({"copy"});
    EXPECT_TRUE(child.Send("un\n"));
    EXPECT_EQ(readSome(child, 3), "un\n");
    EXPECT_TRUE(child.Send("deux mots\n"));
    EXPECT_EQ(readSome(child, 10), "deux mots\n");
    child.CloseInput();
    EXPECT_FALSE(child.Send("trois\n")) << "nothing goes once the input is closed";
    child.CloseInput(); // harmless twice
    EXPECT_EQ(readAll(child), "");
    EXPECT_TRUE(child.Wait().Succeeded()) << "the child found the end of its input";
}

// The program sends its requests from one thread while another reads the answers: more than the
// pipes hold, so that each side waits on the other many times over.
TEST(ChildProcessInputTest, SendingOnOneThreadWhileAnotherReads) {
    ChildProcess child = helper({"copy"});
    std::vector<std::string> lines;
    std::string expected;
    for (int i = 0; i < 400; ++i) {
        lines.push_back(std::to_string(i) + std::string(999, char('a' + i % 26)) + "\n");
        expected += lines.back();
    }
    int refused = 0;
    std::thread sender([&] {
        for (const std::string& line : lines) {
            refused += child.Send(line) ? 0 : 1;
        }
        child.CloseInput();
    });
    std::string copied;
    std::vector<char> buffer(1 << 16);
    while (!child.OutputEnded()) {
        copied.append(buffer.data(),
                      child.Read(buffer.data(), buffer.size(), std::chrono::seconds(60)));
    }
    sender.join();
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(copied.size(), expected.size());
    EXPECT_TRUE(copied == expected) << "the lines came back whole and in order";
    EXPECT_TRUE(child.Wait().Succeeded());
}

TEST(ChildProcessInputTest, SendingToAChildThatEndedIsRefusedWithoutASignal) {
    ChildProcess child = helper({"exit", "0"});
    EXPECT_TRUE(child.Wait().Succeeded());
    // A signal for the broken pipe would end this test program here.
    EXPECT_FALSE(child.Send("personne\n"));
    EXPECT_FALSE(child.Send("personne\n"));
}

TEST(ChildProcessInputTest, SendingToAChildThatClosedItsInputIsRefused) {
    ChildProcess child = helper({"close-input"});
    EXPECT_EQ(readSome(child, 7), "closed\n");
    EXPECT_FALSE(child.Send("personne\n"));
}

TEST(ChildProcessInputTest, AChildThatNeverReadsItsInputHoldsNoSenderBack) {
    // A small message waits in the pipe for a child that lives on without reading it...
    ChildProcess waiting = helper({"wait"});
    EXPECT_TRUE(waiting.Send("un petit mot\n"));
    waiting.Kill();
    EXPECT_FALSE(waiting.Send("un petit mot\n")) << "the input closes with the child";

    // ...and is taken or refused by one that ends without reading it, whichever comes first.
    ChildProcess ending = helper({"exit", "0"});
    ending.Send("un petit mot\n");
    EXPECT_TRUE(ending.Wait().Succeeded());
}

// Were a child to hold another's input open, that other would never find its end: the second
// child here is started while the first one's input is open.
TEST(ChildProcessInputTest, NoChildHoldsAnotherChildsInput) {
    ChildProcess first = helper({"copy"});
    ChildProcess second = helper({"copy"});
    first.CloseInput();
    EXPECT_EQ(readAll(first), "");
    EXPECT_TRUE(first.Wait().Succeeded());

    EXPECT_TRUE(second.Send("encore\n"));
    EXPECT_EQ(readSome(second, 7), "encore\n");
    second.CloseInput();
    EXPECT_EQ(readAll(second), "");
    EXPECT_TRUE(second.Wait().Succeeded());
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
