#include "system/child_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace sys {
namespace {

[[noreturn]] void fail(int error, const char* what) {
    throw std::system_error(error, std::generic_category(), what);
}

// Closes a descriptor when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }

    int get() const { return fd_; }
    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
};

ExitStatus statusOf(int raw, bool killed) {
    if (WIFEXITED(raw)) {
        return {ExitStatus::Way::Exited, WEXITSTATUS(raw)};
    }
    const int signal = WTERMSIG(raw);
    if (signal == SIGXCPU) {
        return {ExitStatus::Way::ProcessorTimeLimit, signal};
    }
    switch (signal) {
    case SIGKILL:
        return {killed ? ExitStatus::Way::Killed : ExitStatus::Way::EndedFromOutside, signal};
    case SIGTERM:
    case SIGINT:
    case SIGHUP:
        return {ExitStatus::Way::EndedFromOutside, signal};
    case SIGBUS:
        return {ExitStatus::Way::MediumFailed, signal};
    default:
        return {ExitStatus::Way::Signal, signal};
    }
}

// The file actions that give the child its standard descriptors.
class SpawnActions {
public:
    SpawnActions(int input, int outputPipe) {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_adddup2(&actions_, input, STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions_, outputPipe, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }

    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

} // namespace

class ChildProcess::Impl {
public:
    pid_t pid = -1;
    Descriptor input;
    Descriptor output;
    bool outputEnded = false;
    bool killed = false;
    bool reaped = false;
    ExitStatus status;
    std::chrono::nanoseconds lastProcessorTime{}; // told once the child can no longer be asked

    // Reaps the child if it has ended; with wait, waits for it.
    bool Reap(bool wait) {
        if (reaped) {
            return true;
        }
        int raw = 0;
        pid_t done = 0;
        do {
            done = ::waitpid(pid, &raw, wait ? 0 : WNOHANG);
        } while (done < 0 && errno == EINTR);
        if (done != pid) {
            return false;
        }
        status = statusOf(raw, killed);
        reaped = true;
        return true;
    }

    void CloseInput() {
        if (input.get() >= 0) {
            // The child finds the end of its input even where a copy of our end lives on.
            ::shutdown(input.get(), SHUT_WR);
            input.Close();
        }
    }
};

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& arguments)
    : impl_(std::make_unique<Impl>()) {
    // The input is a connected pair of sockets rather than a pipe: a send with MSG_NOSIGNAL
    // tells of a reader that has gone by its error alone, where a write to a pipe would raise
    // SIGPIPE, and it needs no change to the signal mask or disposition of anyone.
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        fail(errno, "socketpair");
    }
    impl_->input.Reset(pair[0]);
    const Descriptor childInput(pair[1]);
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        fail(errno, "pipe");
    }
    impl_->output.Reset(ends[0]);
    const Descriptor writeEnd(ends[1]);

    std::vector<std::string> texts{program.string()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    const SpawnActions actions(childInput.get(), writeEnd.get());
    const int error =
        ::posix_spawn(&impl_->pid, program.c_str(), actions.get(), nullptr, argv.data(), environ);
    if (error != 0) {
        fail(error, "posix_spawn");
    }
}

ChildProcess::~ChildProcess() {
    if (!impl_->reaped) {
        Kill();
        impl_->Reap(true);
    }
}

std::size_t ChildProcess::Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) {
    if (impl_->outputEnded) {
        return 0;
    }
    pollfd ready{impl_->output.get(), POLLIN, 0};
    const int polled = ::poll(&ready, 1, int(timeout.count()));
    if (polled < 0 && errno != EINTR) {
        fail(errno, "poll");
    }
    if (polled <= 0) {
        return 0;
    }
    ssize_t got = 0;
    do {
        got = ::read(impl_->output.get(), buffer, size);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        fail(errno, "read");
    }
    if (got == 0) {
        impl_->outputEnded = true;
        impl_->output.Close();
    }
    return std::size_t(got);
}

bool ChildProcess::OutputEnded() const {
    return impl_->outputEnded;
}

bool ChildProcess::Send(std::string_view bytes) {
    if (impl_->input.get() < 0) {
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t sent = ::send(impl_->input.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent >= 0) {
            bytes.remove_prefix(std::size_t(sent));
        } else if (errno == EPIPE || errno == ECONNRESET) {
            return false;
        } else if (errno != EINTR) {
            fail(errno, "send");
        }
    }
    return true;
}

void ChildProcess::CloseInput() {
    impl_->CloseInput();
}

void ChildProcess::Kill() {
    impl_->CloseInput();
    if (!impl_->Reap(false)) {
        impl_->killed = true;
        ::kill(impl_->pid, SIGKILL);
    }
}

std::chrono::nanoseconds ChildProcess::ProcessorTime() const {
    clockid_t clock{};
    timespec used{};
    if (impl_->reaped || ::clock_getcpuclockid(impl_->pid, &clock) != 0 ||
        ::clock_gettime(clock, &used) != 0) {
        return impl_->lastProcessorTime;
    }
    impl_->lastProcessorTime =
        std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
    return impl_->lastProcessorTime;
}

void ChildProcess::Abandon() {
    if (impl_->reaped) {
        return;
    }
    Kill();
    std::thread([pid = impl_->pid] {
        int raw = 0;
        while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    impl_->reaped = true;
    impl_->status = {ExitStatus::Way::Killed, SIGKILL};
}

bool ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
    // The system offers no wait with a deadline on a child: look every few milliseconds.
    constexpr std::chrono::milliseconds kLook{5};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!impl_->Reap(false)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kLook);
    }
    return true;
}

ExitStatus ChildProcess::Wait() {
    impl_->Reap(true);
    return impl_->status;
}

} // namespace sys
