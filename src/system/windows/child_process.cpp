#include "system/child_process.h"

#include "system/windows/command_line.h"
#include "system/windows/wide_text.h"
#include "system/windows/windows_error.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <thread>

namespace sys {
namespace {

// How the system ends a process that passed the processor time of its job.
constexpr DWORD kProcessorTimeExit = ERROR_NOT_ENOUGH_QUOTA;
// The exit code Kill() gives.
constexpr UINT kKilledExit = 0xC000013A;

// Closes a handle when it goes.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { Close(); }

    HANDLE get() const { return handle_; }
    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }
    void Close() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
        handle_ = nullptr;
    }

private:
    HANDLE handle_;
};

// A job that ends its processes when its last handle closes: when the child is dropped, and
// when our program ends, even at once.
HANDLE killOnCloseJob() {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job == nullptr) {
        ThrowLastError("CreateJobObjectW");
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

ExitStatus statusOf(DWORD code, bool killed) {
    if (killed && code == kKilledExit) {
        return {ExitStatus::Way::Killed, static_cast<int>(code)};
    }
    if (code == kProcessorTimeExit) {
        return {ExitStatus::Way::ProcessorTimeLimit, static_cast<int>(code)};
    }
    // A page of a mapped file that the system could not read in.
    if (code == static_cast<DWORD>(EXCEPTION_IN_PAGE_ERROR)) {
        return {ExitStatus::Way::MediumFailed, static_cast<int>(code)};
    }
    // Exception codes (access violations and the like) end a process the way signals do.
    if (code >= 0xC0000000) {
        return {ExitStatus::Way::Signal, static_cast<int>(code)};
    }
    return {ExitStatus::Way::Exited, static_cast<int>(code)};
}

// Handles made inheritable for one child are inherited by any child started meanwhile: one
// start at a time, so no child holds another's pipe open.
std::mutex& startMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

class ChildProcess::Impl {
public:
    OwnedHandle process;
    OwnedHandle job;
    OwnedHandle input;
    OwnedHandle output;
    bool outputEnded = false;
    bool killed = false;
    bool ended = false;
    ExitStatus status;

    // Takes the child's end if it has come within the time.
    bool Reap(DWORD milliseconds) {
        if (ended) {
            return true;
        }
        if (WaitForSingleObject(process.get(), milliseconds) != WAIT_OBJECT_0) {
            return false;
        }
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);
        status = statusOf(code, killed);
        ended = true;
        return true;
    }
};

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments)
    : impl_(std::make_unique<Impl>()) {
    std::vector<std::wstring> words{program.wstring()};
    for (const std::string& argument : arguments) {
        words.push_back(Widen(argument));
    }
    std::wstring commandLine = CommandLine(words);
    impl_->job.Reset(killOnCloseJob());

    const std::lock_guard<std::mutex> starting(startMutex());
    // Our ends of the pipes are never inheritable; the child's are, for the time of the start.
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    // Room for every request a read sends its helper, so that sending never waits on it.
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, 64 << 10)) {
        ThrowLastError("CreatePipe");
    }
    impl_->input.Reset(writeEnd);
    const OwnedHandle childInput(readEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    // A large pipe lets the reader run ahead of the program instead of waiting on it.
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 20)) {
        ThrowLastError("CreatePipe");
    }
    impl_->output.Reset(readEnd);
    const OwnedHandle childOutput(writeEnd);
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const OwnedHandle nothing(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                          OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput.get();
    startup.hStdOutput = childOutput.get();
    startup.hStdError = nothing.get();
    PROCESS_INFORMATION started{};
    // Suspended until it is in its job, so nothing it starts escapes the job. Detached, with no
    // console: it needs none, and wine starts a console host for a new console that inherits the
    // child's handles and outlives it, so that the child's input would stay open after it.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED | DETACHED_PROCESS, nullptr, nullptr, &startup,
                        &started)) {
        ThrowLastError("CreateProcessW");
    }
    impl_->process.Reset(started.hProcess);
    AssignProcessToJobObject(impl_->job.get(), started.hProcess);
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
}

ChildProcess::~ChildProcess() {
    Kill();
    impl_->Reap(INFINITE);
}

std::size_t ChildProcess::Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) {
    // An anonymous pipe cannot be waited on: look at it every millisecond until bytes come,
    // it breaks, or the time is up.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!impl_->outputEnded) {
        DWORD available = 0;
        if (!PeekNamedPipe(impl_->output.get(), nullptr, 0, nullptr, &available, nullptr)) {
            if (GetLastError() != ERROR_BROKEN_PIPE) {
                ThrowLastError("PeekNamedPipe");
            }
            impl_->outputEnded = true;
            impl_->output.Close();
            return 0;
        }
        if (available > 0) {
            DWORD got = 0;
            const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, available));
            if (!ReadFile(impl_->output.get(), buffer, wanted, &got, nullptr)) {
                ThrowLastError("ReadFile");
            }
            return got;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

bool ChildProcess::OutputEnded() const {
    return impl_->outputEnded;
}

bool ChildProcess::Send(std::string_view bytes) {
    if (impl_->input.get() == nullptr) {
        return false;
    }
    while (!bytes.empty()) {
        DWORD sent = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
        if (!WriteFile(impl_->input.get(), bytes.data(), size, &sent, nullptr)) {
            // The child has closed its end, or has ended.
            if (GetLastError() == ERROR_BROKEN_PIPE || GetLastError() == ERROR_NO_DATA) {
                return false;
            }
            ThrowLastError("WriteFile");
        }
        bytes.remove_prefix(sent);
    }
    return true;
}

void ChildProcess::CloseInput() {
    impl_->input.Close();
}

void ChildProcess::Kill() {
    impl_->input.Close();
    if (!impl_->Reap(0)) {
        impl_->killed = true;
        // The whole job: whatever the child started goes with it.
        TerminateJobObject(impl_->job.get(), kKilledExit);
    }
}

std::chrono::nanoseconds ChildProcess::ProcessorTime() const {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(impl_->process.get(), &created, &exited, &kernel, &user)) {
        return {};
    }
    const auto ticks = [](const FILETIME& time) {
        return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    // In hundreds of nanoseconds.
    return std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100);
}

void ChildProcess::Abandon() {
    Kill();
    // Nothing to reap on Windows: the handles go with the object, which never waits for a
    // child it abandoned.
    if (!impl_->ended) {
        impl_->ended = true;
        impl_->status = {ExitStatus::Way::Killed, static_cast<int>(kKilledExit)};
    }
}

bool ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
    return impl_->Reap(static_cast<DWORD>(
        std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, INFINITE - 1)));
}

ExitStatus ChildProcess::Wait() {
    impl_->Reap(INFINITE);
    return impl_->status;
}

} // namespace sys
