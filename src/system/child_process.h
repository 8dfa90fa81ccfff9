#pragma once
// A program started beside ours: its standard input comes from us through a pipe, its standard
// output comes back through another, and its standard error goes nowhere. The child is killed and
// reaped when the object goes, so none is ever left behind.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sys {

// How a child ended.
struct ExitStatus {
    enum class Way {
        Exited,             // it returned or exited; code is its exit code
        MemoryLimit,        // the system ended it for passing its address space limit
        ProcessorTimeLimit, // the system ended it for passing its processor time limit
        Killed,             // Kill() ended it
        MediumFailed,       // the system could not read a page of a file it had mapped
        EndedFromOutside,   // someone else killed it or asked it to end
        Signal,             // another signal ended it; code is the signal's number
    };
    Way way = Way::Exited;
    int code = 0;

    bool Succeeded() const { return way == Way::Exited && code == 0; }
    bool operator==(const ExitStatus&) const = default;
};

class ChildProcess {
public:
    // Starts the program with the arguments (UTF-8). Throws std::system_error when it cannot be
    // started.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Kills the child if it still runs, and reaps it.
    ~ChildProcess();

    // Send and CloseInput touch the child's input only: one thread may call them while another
    // is in Read, OutputEnded, ProcessorTime, WaitFor or Wait. They must not overlap each other,
    // nor the destructor, Kill or Abandon.

    // Writes all the bytes to the child's standard input, waiting while the child does not take
    // them. False, with no signal raised, once the child has closed its input or ended, or after
    // CloseInput. Throws std::system_error when the pipe fails otherwise.
    bool Send(std::string_view bytes);
    // Closes our end of the child's input, so that the child finds the end of it. Harmless
    // twice. Kill, Abandon and the destructor close it too.
    void CloseInput();

    // Reads what the child wrote to its standard output: waits up to timeout for the first
    // bytes, then returns at most size of them. Returns 0 when nothing came in time or when the
    // output has ended (see OutputEnded). Throws std::system_error when the pipe fails.
    std::size_t Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout);
    // Whether the child closed its standard output and everything it wrote has been read.
    bool OutputEnded() const;

    // The processor time the child has used so far. Waiting, for a disk among others, uses none.
    std::chrono::nanoseconds ProcessorTime() const;

    // Ends the child at once. Harmless once it has ended.
    void Kill();
    // Kills the child and leaves it to be reaped on a thread of its own, without waiting: a child
    // waiting for a medium that does not answer cannot end before the medium answers. Wait then
    // tells Killed.
    void Abandon();
    // Waits up to timeout for the child to end; true when it has.
    bool WaitFor(std::chrono::milliseconds timeout);
    // Waits for the child to end and tells how it did.
    ExitStatus Wait();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

// Bounds the calling process, for a child to call on itself before it starts its work: address
// space beyond what the process maps now (libraries and a sanitizer's shadow memory already
// mapped do not count), and processor time. Past the memory limit allocations fail; past the time
// limit the system ends the process, which its parent then sees as ProcessorTimeLimit. The
// process also ends with the program that started it.
void BoundThisProcess(std::uint64_t addressSpaceBytes, std::chrono::seconds processorTime);

} // namespace sys
