#include "catalogue/reader_process.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/jet_error.h"
#include "catalogue/quoted.h"
#include "catalogue/row_stream.h"
#include "system/child_process.h"
#include "system/utf8_path.h"

#include <array>
#include <optional>
#include <system_error>

namespace catalogue {
namespace {

// How often the wait for the helper looks whether the read was cancelled.
constexpr std::chrono::milliseconds kPoll{50};

using Clock = std::chrono::steady_clock;

CatalogueError damaged(const std::filesystem::path& file, const std::string& what) {
    return CatalogueError(JetError::damaged(file, what).what());
}

// The helper's output holds the file's text once, plus a few bytes per value: far more than this
// means it goes on sending what is not there.
std::uintmax_t outputLimit(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    return 4 * (error ? 0 : size) + (std::uintmax_t(1) << 20);
}

std::vector<std::string> argumentsOf(const ReaderRequest& request) {
    std::vector<std::string> arguments = LimitArguments(request.limits);
    arguments.push_back(sys::Utf8Of(request.file));
    arguments.push_back(request.table);
    arguments.insert(arguments.end(), request.fields.begin(), request.fields.end());
    return arguments;
}

// What the way the helper ended says about the file.
std::string endOf(const sys::ExitStatus& status) {
    switch (status.way) {
    case sys::ExitStatus::Way::ProcessorTimeLimit:
        return "sa lecture dure plus longtemps qu'un fichier de cette taille ne le justifie";
    case sys::ExitStatus::Way::MemoryLimit:
        return "sa lecture demande plus de mémoire qu'un fichier de cette taille ne le justifie";
    default:
        return "sa lecture s'est arrêtée avant la fin";
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

// Takes the helper's output into the stream until the stream is complete, the output ends, or
// the read goes wrong.
void receive(sys::ChildProcess& helper, RowStreamReader& stream, const ReaderRequest& request,
             const std::function<bool()>& cancelled) {
    const std::uintmax_t limit = outputLimit(request.file);
    std::uintmax_t received = 0;
    std::array<char, 1 << 16> buffer;
    auto lastBytes = Clock::now();
    while (stream.state() == RowStreamReader::State::Reading) {
        if (cancelled()) {
            helper.Kill();
            throw ReadCancelled{};
        }
        const std::size_t got = helper.Read(buffer.data(), buffer.size(), kPoll);
        if (got > 0) {
            lastBytes = Clock::now();
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
        if (Clock::now() - lastBytes > request.quietLimit) {
            helper.Kill();
            throw damaged(request.file, "sa lecture ne progresse plus");
        }
    }
}

// Whatever the helper wrote last, so that bytes after the end frame are seen too.
void receiveRest(sys::ChildProcess& helper, RowStreamReader& stream) {
    std::array<char, 1 << 16> buffer;
    while (!helper.OutputEnded()) {
        const std::size_t got = helper.Read(buffer.data(), buffer.size(), kPoll);
        if (got == 0 && !helper.OutputEnded()) {
            return;
        }
        stream.feed(std::string_view(buffer.data(), got));
    }
}

} // namespace

CatalogueRows ReadWithHelper(const ReaderRequest& request, const std::function<bool()>& cancelled) {
    CatalogueRows rows(request.fields);
    RowStreamReader stream(rows);
    sys::ChildProcess helper = start(request);
    receive(helper, stream, request, cancelled);

    // A helper that has said all it had to say gets a moment to end; any other is stopped.
    const bool ended = stream.state() == RowStreamReader::State::Finished ||
                       stream.state() == RowStreamReader::State::Failed;
    if (!(ended && helper.WaitFor(request.quietLimit))) {
        helper.Kill();
    }
    receiveRest(helper, stream);
    const sys::ExitStatus status = helper.Wait();

    switch (stream.state()) {
    case RowStreamReader::State::Failed:
        throw CatalogueError(stream.message());
    case RowStreamReader::State::Garbled:
        throw damaged(request.file,
                      "sa lecture a donné des données incohérentes (" + stream.message() + ")");
    case RowStreamReader::State::Reading:
        throw damaged(request.file, endOf(status));
    case RowStreamReader::State::Finished:
        break;
    }
    if (!status.Succeeded()) {
        throw damaged(request.file, endOf(status));
    }
    return rows;
}

} // namespace catalogue
