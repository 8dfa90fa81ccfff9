#include "system/child_process.h"

#include "system/windows/utf16.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <windows.h>

namespace sys {
namespace {

// The exit code Kill() gives the child, and the one the system gives a process that passed its
// job's processor time limit.
constexpr UINT kKilledCode = 0xC0DE0009;
constexpr DWORD kTimeLimitCode = ERROR_NOT_ENOUGH_QUOTA;

[[noreturn]] void fail(DWORD error, const char* what) {
    throw std::system_error(int(error), std::system_category(), what);
}

class Handle {
public:
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }

    HANDLE get() const { return handle_; }
    HANDLE* out() { return &handle_; }
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
    HANDLE handle_ = nullptr;
};

// One argument as the C runtime of the child splits its command line back: quoted, with the
// backslashes before a quote doubled.
std::wstring quoted(const std::wstring& argument) {
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes * 2, L'\\');
    return text + L'"';
}

ExitStatus statusOf(DWORD code, bool killed) {
    if (killed && code == kKilledCode) {
        return {ExitStatus::Way::Killed, int(code)};
    }
    if (code == kTimeLimitCode) {
        return {ExitStatus::Way::ProcessorTimeLimit, int(code)};
    }
    // A page of a mapped file that the system could not read in.
    if (code == DWORD(EXCEPTION_IN_PAGE_ERROR)) {
        return {ExitStatus::Way::MediumFailed, int(code)};
    }
    // Exception codes (access violations and the like) end a process the way signals do.
    if (code >= 0xC0000000) {
        return {ExitStatus::Way::Signal, int(code)};
    }
    return {ExitStatus::Way::Exited, int(code)};
}

} // namespace

class ChildProcess::Impl {
public:
    Handle process;
    Handle output;
    bool outputEnded = false;
    bool killed = false;
    bool ended = false;
    ExitStatus status;

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
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle writeEnd;
    if (!CreatePipe(impl_->output.out(), writeEnd.out(), &inherited, 1 << 20)) {
        fail(GetLastError(), "CreatePipe");
    }
    SetHandleInformation(impl_->output.get(), HANDLE_FLAG_INHERIT, 0);
    Handle nowhere;
    nowhere.Reset(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0,
                              nullptr));

    std::wstring commandLine = quoted(program.wstring());
    for (const std::string& argument : arguments) {
        commandLine += L' ' + quoted(Utf16Of(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nowhere.get();
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = nowhere.get();
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started)) {
        fail(GetLastError(), "CreateProcessW");
    }
    CloseHandle(started.hThread);
    impl_->process.Reset(started.hProcess);
}

ChildProcess::~ChildProcess() {
    if (!impl_->ended) {
        Kill();
        impl_->Reap(INFINITE);
    }
}

std::size_t ChildProcess::Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) {
    // Anonymous pipes cannot be waited on: look every few milliseconds until bytes come.
    constexpr std::chrono::milliseconds kLook{5};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (impl_->outputEnded) {
            return 0;
        }
        DWORD waiting = 0;
        if (!PeekNamedPipe(impl_->output.get(), nullptr, 0, nullptr, &waiting, nullptr)) {
            const DWORD error = GetLastError();
            if (error != ERROR_BROKEN_PIPE) {
                fail(error, "PeekNamedPipe");
            }
            impl_->outputEnded = true;
            impl_->output.Close();
            return 0;
        }
        if (waiting > 0) {
            DWORD got = 0;
            const DWORD wanted = DWORD(std::min<std::size_t>(size, waiting));
            if (!ReadFile(impl_->output.get(), buffer, wanted, &got, nullptr)) {
                fail(GetLastError(), "ReadFile");
            }
            return got;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return 0;
        }
        std::this_thread::sleep_for(kLook);
    }
}

bool ChildProcess::OutputEnded() const {
    return impl_->outputEnded;
}

void ChildProcess::Kill() {
    if (!impl_->Reap(0)) {
        impl_->killed = true;
        TerminateProcess(impl_->process.get(), kKilledCode);
    }
}

std::chrono::nanoseconds ChildProcess::ProcessorTime() const {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (!GetProcessTimes(impl_->process.get(), &created, &exited, &kernel, &user)) {
        return {};
    }
    // In hundreds of nanoseconds.
    const auto ticks = [](const FILETIME& time) {
        return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100);
}

void ChildProcess::Abandon() {
    Kill();
    // Nothing is left to reap here: the process handle goes with the object.
    if (!impl_->ended) {
        impl_->ended = true;
        impl_->status = {ExitStatus::Way::Killed, int(kKilledCode)};
    }
}

bool ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
    return impl_->Reap(DWORD(timeout.count()));
}

ExitStatus ChildProcess::Wait() {
    impl_->Reap(INFINITE);
    return impl_->status;
}

} // namespace sys
