// A program for the child process tests: what it does is its first argument.
//   echo TEXT...    writes each text on a line of its own, then exits with 0
//   exit CODE       exits with that code
//   spin            bounds its processor time to a second, then never stops computing
//   allocate        bounds its memory, then asks for more; writes what happened
//   wait            waits until it is killed

#include "system/child_process.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <thread>

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "echo") {
        for (int i = 2; i < argc; ++i) {
            std::printf("%s\n", argv[i]);
        }
        return 0;
    }
    if (mode == "exit" && argc > 2) {
        return std::atoi(argv[2]);
    }
    if (mode == "spin") {
        sys::BoundThisProcess(std::uint64_t(1) << 30, std::chrono::seconds(1));
        volatile unsigned long turns = 0;
        for (;;) {
            turns = turns + 1;
        }
    }
    if (mode == "allocate") {
        sys::BoundThisProcess(std::uint64_t(64) << 20, std::chrono::seconds(60));
        try {
            const std::unique_ptr<char[]> block(new char[std::size_t(1) << 30]);
            block[0] = 1;
            std::printf("allocated\n");
        } catch (const std::bad_alloc&) {
            std::printf("refused\n");
        }
        return 0;
    }
    if (mode == "wait") {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::hours(1));
        }
    }
    return 2;
}
