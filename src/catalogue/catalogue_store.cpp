#include "catalogue/catalogue_store.h"

#include "catalogue/away_call.h"
#include "catalogue/catalogue_error.h"
#include "catalogue/displayed_fields.h"
#include "catalogue/jet_error.h"
#include "catalogue/jet_header.h"
#include "catalogue/reader_process.h"
#include "system/file_identity.h"
#include "system/program_folder.h"
#include "system/utf8_path.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <future>
#include <optional>
#include <thread>

namespace catalogue {
namespace {

const std::string kPreloadedTable = "Index";
// The helper sends its rows as it reads them, tens of kilobytes at a time: one that computes for
// this long without sending loops. A disc spins up in a few seconds and a drive retries a sector
// as long: a read waits a minute for its medium.
constexpr ReadPatience kPatience{std::chrono::seconds(3), std::chrono::minutes(1)};

// The columns the store reads: those the window shows.
std::vector<std::string> catalogueFields() {
    std::vector<std::string> fields;
    for (const DisplayedField& field : kDisplayedFields) {
        fields.emplace_back(field.column);
    }
    return fields;
}

// Table names match without regard to case, as the Jet engine matches them.
bool sameTable(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// One read on a thread of its own. The thread holds the job, so that a read given up or replaced
// goes on alone until its helper is abandoned, however long its medium keeps it.
struct ReadJob {
    ReaderRequest request;
    std::optional<sys::FileIdentity> known; // looked up by the caller already
    std::optional<ReaderLimits> limits;     // nullopt: sized from the file
    std::promise<sys::FileIdentity> identity;
    std::promise<std::shared_ptr<CatalogueTable>> result;
    std::atomic<bool> cancelled = false;
    const std::shared_ptr<TableReading> reading = std::make_shared<TableReading>();

    void run() {
        // Whatever goes wrong here, running out of memory included, goes to whoever waits for
        // the read: nothing may escape a thread.
        try {
            const sys::FileIdentity file = known ? *known : sys::IdentifyFile(request.file);
            identity.set_value(file);
            request.fileSize = file.size;
            request.limits = limits.value_or(LimitsForFile(file.size));
            CatalogueRows rows = ReadWithHelper(
                request, [this] { return cancelled.load(); }, *reading);
            // Freed away from whoever drops it last: the window's thread, when a search replaces
            // the table of a catalogue that changed.
            result.set_value(std::shared_ptr<CatalogueTable>(
                new CatalogueTable(sys::Utf8Of(request.file), request.table, std::move(rows)),
                DeleteAway<CatalogueTable>));
        } catch (...) {
            result.set_exception(std::current_exception());
        }
        reading->Disconnect();
        reading->Ended();
    }
};

// The one read the store keeps: the last table asked for, while its file is unchanged.
struct Read {
    std::filesystem::path path;
    std::string table;
    std::shared_future<sys::FileIdentity> identity; // known once the job has looked the file up
    TableResult result;
    std::shared_ptr<ReadJob> job;
};

class Store {
public:
    ~Store() { cancel(); }

    // The table, whole or, with wholeOnly false, once its helper has opened it.
    TableSource open(const std::filesystem::path& path, const std::string& table,
                     const std::function<void()>& whileWaiting, bool wholeOnly) {
        const Deadline deadline = this->deadline();
        const auto identity =
            CallAway([path] { return sys::IdentifyFile(path); }, deadline, whileWaiting);
        if (!identity) {
            throw MediumNotAnswering(path);
        }
        for (;;) {
            if (!holds(*identity, table, deadline, whileWaiting)) {
                start(path, table, identity);
            }
            // A copy: a read started while this one waits takes read_'s place.
            const Read read = *read_;
            if (!wholeOnly) {
                AwaitUntil(read.job->reading->openedOrEnded(), Deadline::max(), whileWaiting);
                if (read.result.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
                    return TableSource{nullptr, pendingOf(read)};
                }
            }
            AwaitUntil(read.result, Deadline::max(), whileWaiting);
            try {
                // A failed read stays kept too: the same unchanged file fails the same way.
                return TableSource{read.result.get(), nullptr};
            } catch (const CatalogueUnavailable&) {
                // Unless it said nothing of the file: the next search reads it again.
                forget(read.job);
                throw;
            } catch (const ReadCancelled&) {
                // Another read took this one's place while it was waited for: look again.
            }
        }
    }

    // Looks nothing up here: the job does, on its own thread.
    void preload(const std::filesystem::path& path) {
        if (!read_ || read_->path != path || !sameTable(read_->table, kPreloadedTable)) {
            start(path, kPreloadedTable, std::nullopt);
        }
    }

    std::size_t readCount() const { return reads_; }

    void setProgram(const std::filesystem::path& program) { program_ = program; }

    void setPatience(ReadPatience patience) { patience_ = patience; }

    void setLimits(std::optional<ReaderLimits> limits) { limits_ = limits; }

    // The latest a wait for the file's medium may end.
    Deadline deadline() const { return std::chrono::steady_clock::now() + patience_.wallTime; }

private:
    // Whether the read kept is of this table of the file as it is now. A read whose job has not
    // looked its file up yet is waited for, as long as a medium is given.
    bool holds(const sys::FileIdentity& identity, const std::string& table, Deadline deadline,
               const std::function<void()>& whileWaiting) {
        if (!read_ || read_->path != identity.path || !sameTable(read_->table, table)) {
            return false;
        }
        if (!AwaitUntil(read_->identity, deadline, whileWaiting)) {
            forget(read_->job);
            throw MediumNotAnswering(identity.path);
        }
        return read_->identity.get() == identity;
    }

    std::shared_ptr<PendingTable> pendingOf(const Read& read) {
        const std::weak_ptr<ReadJob> job = read.job;
        return std::make_shared<PendingTable>(read.result, read.job->reading,
                                              read.job->request.fields, sys::Utf8Of(read.path),
                                              read.table, [this, job] { forget(job.lock()); });
    }

    void forget(const std::shared_ptr<ReadJob>& job) {
        if (read_ && read_->job == job) {
            cancel();
            read_.reset();
        }
    }

    std::filesystem::path program() const {
        if (!program_.empty()) {
            return program_;
        }
        return sys::ProgramFolder() / (std::string("orvane-read-catalogue") + sys::kProgramSuffix);
    }

    void start(const std::filesystem::path& path, const std::string& table,
               std::optional<sys::FileIdentity> identity) {
        cancel();
        auto job = std::make_shared<ReadJob>();
        job->request =
            ReaderRequest{program(), path, 0, table, catalogueFields(), patience_, ReaderLimits{}};
        job->known = std::move(identity);
        job->limits = limits_;
        read_ = Read{path, table, job->identity.get_future().share(),
                     job->result.get_future().share(), job};
        ++reads_;
        std::thread([job] { job->run(); }).detach();
    }

    // The read under way is told to stop; it ends on its own thread, without being waited for.
    // Unless a recordset opened before its rows came still reads from it (each such table holds
    // the read's TableReading): a search that failed puts its recordset back, and paging goes on
    // in it.
    void cancel() {
        if (read_ && read_->job->reading.use_count() == 1) {
            read_->job->cancelled = true;
        }
    }

    std::optional<Read> read_;
    std::size_t reads_ = 0;
    std::filesystem::path program_;
    ReadPatience patience_ = kPatience;
    std::optional<ReaderLimits> limits_;
};

Store& store() {
    static Store instance;
    return instance;
}

} // namespace

void CheckCatalogueFile(const std::string& path, const std::function<void()>& whileWaiting) {
    const std::filesystem::path file = sys::PathFromUtf8(path);
    try {
        if (!CallAway([file] { return CheckJetFile(file); }, store().deadline(), whileWaiting)) {
            throw MediumNotAnswering(file);
        }
    } catch (const JetError& error) {
        if (error.kind() == JetError::Kind::Unreadable) {
            throw CatalogueUnavailable(error.what());
        }
        throw CatalogueError(error.what());
    }
}

void PreloadCatalogue(const std::string& path) {
    store().preload(sys::PathFromUtf8(path));
}

std::shared_ptr<CatalogueTable> OpenCatalogueTable(const std::string& path,
                                                   const std::string& table,
                                                   const std::function<void()>& whileWaiting) {
    return store().open(sys::PathFromUtf8(path), table, whileWaiting, true).whole;
}

TableSource OpenCatalogueSource(const std::string& path, const std::string& table,
                                const std::function<void()>& whileWaiting) {
    return store().open(sys::PathFromUtf8(path), table, whileWaiting, false);
}

std::size_t CatalogueReadCount() {
    return store().readCount();
}

void SetCatalogueReaderProgram(const std::filesystem::path& program) {
    store().setProgram(program);
}

void SetCatalogueReadPatience(ReadPatience patience) {
    store().setPatience(patience);
}

void SetCatalogueReadLimits(std::optional<ReaderLimits> limits) {
    store().setLimits(limits);
}

} // namespace catalogue
