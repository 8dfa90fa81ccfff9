// A program for the child process tests: what it does is its first argument.
//   echo TEXT...    writes each text on a line of its own, then exits with 0
//   copy            writes each line of its input as it comes, then exits with 0 at its end
//   close-input     closes its input, writes a line, then waits until it is killed
//   exit CODE       exits with that code
//   spin            bounds its processor time to a second, then never stops computing
//   allocate        bounds its memory, then asks for more; writes what happened
//   wait            waits until it is killed
//   idle            writes a line, then waits until it is killed
//   raise SIGNAL    raises that signal

#include "system/child_process.h"
#include "system/program_arguments.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY); // lines end as written
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> arguments = sys::ProgramArguments(argc, argv);
    const std::string mode = arguments.empty() ? "" : arguments[0];
    if (mode == "echo") {
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            std::printf("%s\n", arguments[i].c_str());
        }
        return 0;
    }
    if (mode == "copy") {
        char line[4096];
        while (std::fgets(line, sizeof line, stdin) != nullptr) {
            std::fputs(line, stdout);
            std::fflush(stdout);
        }
        return std::ferror(stdin) ? 1 : 0;
    }
    if (mode == "close-input") {
        std::fclose(stdin);
        std::printf("closed\n");
        std::fflush(stdout);
    }
    if (mode == "exit" && arguments.size() > 1) {
        return std::atoi(arguments[1].c_str());
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
    if (mode == "raise" && argc > 2) {
        // As the system would end it, whatever handler a sanitizer put in place.
        const int signal = std::atoi(argv[2]);
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return 0;
    }
    if (mode == "idle") {
        std::printf("idle\n");
        std::fflush(stdout);
    }
    if (mode == "wait" || mode == "idle" || mode == "close-input") {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::hours(1));
        }
    }
    return 2;
}
