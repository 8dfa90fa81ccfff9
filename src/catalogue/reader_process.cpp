#include "catalogue/reader_process.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/jet_error.h"
#include "catalogue/quoted.h"
#include "catalogue/row_stream.h"
#include "system/child_process.h"
#include "system/utf8_path.h"

#include <optional>
#include <system_error>

namespace catalogue {
namespace {

// How often the wait for the helper looks whether the read was cancelled or stuck.
constexpr std::chrono::milliseconds kPoll{50};
// A few frames of rows at a time.
constexpr std::size_t kReceiveBytes = std::size_t(256) << 10;

using Clock = std::chrono::steady_clock;

CatalogueError damaged(const std::filesystem::path& file, const std::string& what) {
    return CatalogueError(JetError::damaged(file, what).what());
}

CatalogueUnavailable unavailable(const std::filesystem::path& file, const std::string& what) {
    return CatalogueUnavailable("Le fichier " + Quoted(sys::Utf8Of(file)) +
                                " ne peut pas être lu pour l'instant : " + what +
                                ". Une nouvelle recherche essaiera de nouveau.");
}

// The helper's output holds the file's text once, plus a few bytes per value: far more than this
// means it goes on sending what is not there.
std::uintmax_t outputLimit(std::uint64_t fileSize) {
    return 4 * fileSize + (std::uintmax_t(1) << 20);
}

std::vector<std::string> argumentsOf(const ReaderRequest& request) {
    std::vector<std::string> arguments = LimitArguments(request.limits);
    arguments.push_back(sys::Utf8Of(request.file));
    arguments.push_back(request.table);
    arguments.insert(arguments.end(), request.fields.begin(), request.fields.end());
    return arguments;
}

// Why the helper ended before its rows did: its limits and crashes are the file's doing; a
// failing medium, or an end asked from outside, say nothing of the file.
[[noreturn]] void throwEndOf(const sys::ExitStatus& status, const std::filesystem::path& file) {
    switch (status.way) {
    case sys::ExitStatus::Way::ProcessorTimeLimit:
        throw damaged(
            file, "sa lecture dure plus longtemps qu'un fichier de cette taille ne le justifie");
    case sys::ExitStatus::Way::MemoryLimit:
        throw damaged(
            file,
            "sa lecture demande plus de mémoire qu'un fichier de cette taille ne le justifie");
    case sys::ExitStatus::Way::MediumFailed:
        throw unavailable(file, "son support signale une erreur de lecture");
    case sys::ExitStatus::Way::EndedFromOutside:
        throw ReadInterrupted(file);
    default:
        throw damaged(file, "sa lecture s'est arrêtée avant la fin");
    }
}

sys::ChildProcess start(const ReaderRequest& request) {
    try {
        return sys::ChildProcess(request.program, argumentsOf(request));
    } catch (const std::system_error&) {
        throw ReaderNotStarted("Le catalogue " + Quoted(sys::Utf8Of(request.file)) +
                               " ne peut pas être lu : le programme de lecture " +
                               Quoted(sys::Utf8Of(request.program)) + " ne démarre pas.");
    }
}

// The helper, reachable through reading for as long as it lives: other threads ask it for the
// matches of their filters. Its input is cut from them before it is stopped, so that no request
// is being written while it goes.
class HelperLine {
public:
    HelperLine(TableReading& reading, const ReaderRequest& request)
        : reading_(reading), helper_(start(request)) {
        reading_.Connect([this](std::string_view bytes) { return helper_.Send(bytes); });
    }
    ~HelperLine() { reading_.Disconnect(); }
    HelperLine(const HelperLine&) = delete;
    HelperLine& operator=(const HelperLine&) = delete;

    std::size_t Read(char* buffer, std::size_t size, std::chrono::milliseconds timeout) {
        return helper_.Read(buffer, size, timeout);
    }
    bool OutputEnded() const { return helper_.OutputEnded(); }
    std::chrono::nanoseconds ProcessorTime() const { return helper_.ProcessorTime(); }
    bool WaitFor(std::chrono::milliseconds timeout) { return helper_.WaitFor(timeout); }
    sys::ExitStatus Wait() { return helper_.Wait(); }
    void Kill() {
        reading_.Disconnect();
        helper_.Kill();
    }
    void Abandon() {
        reading_.Disconnect();
        helper_.Abandon();
    }

private:
    TableReading& reading_;
    sys::ChildProcess helper_;
};

// Ends the read when the helper went without sending for longer than the watchdog allows. One
// that computes ends as soon as it is killed; one that waits for its medium may not end before
// the medium answers, so it is abandoned rather than waited for.
void judge(const ReadWatchdog& watchdog, HelperLine& helper, const std::filesystem::path& file) {
    switch (watchdog.Judge(Clock::now(), helper.ProcessorTime())) {
    case ReadWatchdog::Verdict::Reading:
        return;
    case ReadWatchdog::Verdict::Looping:
        helper.Kill();
        throw damaged(file, "sa lecture ne progresse plus");
    case ReadWatchdog::Verdict::NotAnswering:
        helper.Abandon();
        throw MediumNotAnswering(file);
    }
}

// Takes the helper's output into the stream until the stream is complete, the output ends, or
// the read goes wrong.
void receive(HelperLine& helper, RowStreamReader& stream, ReadWatchdog& watchdog,
             const ReaderRequest& request, const std::function<bool()>& cancelled) {
    const std::uintmax_t limit = outputLimit(request.fileSize);
    std::uintmax_t received = 0;
    std::vector<char> buffer(kReceiveBytes);
    while (stream.state() == RowStreamReader::State::Reading) {
        if (cancelled()) {
            helper.Abandon();
            throw ReadCancelled{};
        }
        const std::size_t got = helper.Read(buffer.data(), buffer.size(), kPoll);
        if (got > 0) {
            watchdog.Progressed(Clock::now(), helper.ProcessorTime());
            received += got;
            if (received > limit) {
                helper.Kill();
                throw damaged(request.file, "sa lecture donne plus de données qu'il n'en contient");
            }
            stream.feed(std::string_view(buffer.data(), got));
            continue;
        }
        if (helper.OutputEnded()) {
            return;
        }
        judge(watchdog, helper, request.file);
    }
}

// A helper that has said all it had to say, or closed its output, is let end under the same
// watchdog, so that the way it ended is known; one that sent nonsense is stopped.
void awaitEnd(HelperLine& helper, const RowStreamReader& stream, const ReadWatchdog& watchdog,
              const std::filesystem::path& file) {
    if (stream.state() == RowStreamReader::State::Garbled) {
        helper.Kill();
        return;
    }
    while (!helper.WaitFor(kPoll)) {
        judge(watchdog, helper, file);
    }
}

// Whatever the helper wrote last, so that bytes after the end frame are seen too.
void receiveRest(HelperLine& helper, RowStreamReader& stream) {
    std::vector<char> buffer(kReceiveBytes);
    while (!helper.OutputEnded()) {
        const std::size_t got = helper.Read(buffer.data(), buffer.size(), kPoll);
        if (got == 0 && !helper.OutputEnded()) {
            return;
        }
        stream.feed(std::string_view(buffer.data(), got));
    }
}

} // namespace

CatalogueUnavailable MediumNotAnswering(const std::filesystem::path& file) {
    return unavailable(file, "son support ne répond pas");
}

CatalogueUnavailable ReadInterrupted(const std::filesystem::path& file) {
    return unavailable(file, "sa lecture a été interrompue");
}

CatalogueRows ReadWithHelper(const ReaderRequest& request, const std::function<bool()>& cancelled,
                             TableReading& reading) {
    // A hint: the rows take about half the file, whose text is mostly UTF-16, kept here in UTF-8.
    CatalogueRows rows(request.fields, request.fileSize / 2);
    RowStreamReader stream(
        rows, [&reading] { reading.Opened(); },
        [&reading](FilterAnswer answer) { reading.Answered(std::move(answer)); });
    HelperLine helper(reading, request);
    ReadWatchdog watchdog(request.patience, Clock::now(), helper.ProcessorTime());
    receive(helper, stream, watchdog, request, cancelled);
    awaitEnd(helper, stream, watchdog, request.file);
    receiveRest(helper, stream);
    const sys::ExitStatus status = helper.Wait();

    switch (stream.state()) {
    case RowStreamReader::State::Failed:
        throw CatalogueError(stream.message());
    case RowStreamReader::State::Unavailable:
        throw CatalogueUnavailable(stream.message());
    case RowStreamReader::State::Garbled:
        throw damaged(request.file,
                      "sa lecture a donné des données incohérentes (" + stream.message() + ")");
    case RowStreamReader::State::Reading:
        throwEndOf(status, request.file);
    case RowStreamReader::State::Finished:
        break;
    }
    if (!status.Succeeded()) {
        throwEndOf(status, request.file);
    }
    return rows;
}

} // namespace catalogue
