#include "catalogue/catalogue_store.h"

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
// The helper sends its rows as it reads them, tens of kilobytes at a time; one silent this long
// is stuck.
constexpr std::chrono::milliseconds kQuietLimit{3'000};
// How often a wait for a read runs its caller's step, such as the window's event pump.
constexpr std::chrono::milliseconds kWaitStep{10};

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

using TableResult = std::shared_future<std::shared_ptr<CatalogueTable>>;

// The one read the store keeps: the last table asked for, while its file is unchanged.
struct Read {
    sys::FileIdentity identity;
    std::string table;
    TableResult result;
};

class Store {
public:
    ~Store() { stopWorker(); }

    std::shared_ptr<CatalogueTable> open(const std::filesystem::path& path,
                                         const std::string& table,
                                         const std::function<void()>& whileWaiting) {
        for (;;) {
            const sys::FileIdentity identity = sys::IdentifyFile(path);
            if (!holds(identity, table)) {
                start(identity, table);
            }
            // A copy: a read started while this one waits takes read_'s place.
            const TableResult result = read_->result;
            waitFor(result, whileWaiting);
            try {
                // A failed read stays kept too: the same unchanged file fails the same way.
                return result.get();
            } catch (const ReaderNotStarted&) {
                // Unless the helper never ran: that says nothing of the file, and the next
                // search tries again.
                forget(identity, table);
                throw;
            } catch (const ReadCancelled&) {
                // Another read took this one's place while it was waited for: look again.
            }
        }
    }

    void preload(const std::filesystem::path& path) {
        const sys::FileIdentity identity = sys::IdentifyFile(path);
        if (!holds(identity, kPreloadedTable)) {
            start(identity, kPreloadedTable);
        }
    }

    std::size_t readCount() const { return reads_; }

    void setProgram(const std::filesystem::path& program) { program_ = program; }

    void setQuietLimit(std::chrono::milliseconds limit) { quietLimit_ = limit; }

    void setLimits(std::optional<ReaderLimits> limits) { limits_ = limits; }

private:
    static void waitFor(const TableResult& result, const std::function<void()>& whileWaiting) {
        if (!whileWaiting) {
            result.wait();
            return;
        }
        while (result.wait_for(kWaitStep) != std::future_status::ready) {
            whileWaiting();
        }
    }

    void forget(const sys::FileIdentity& identity, const std::string& table) {
        if (holds(identity, table)) {
            stopWorker();
            read_.reset();
        }
    }

    bool holds(const sys::FileIdentity& identity, const std::string& table) const {
        return read_ && read_->identity == identity && sameTable(read_->table, table);
    }

    std::filesystem::path program() const {
        if (!program_.empty()) {
            return program_;
        }
        return sys::ProgramFolder() / (std::string("orvane-read-catalogue") + sys::kProgramSuffix);
    }

    void start(const sys::FileIdentity& identity, const std::string& table) {
        stopWorker();
        auto promise = std::make_shared<std::promise<std::shared_ptr<CatalogueTable>>>();
        read_ = Read{identity, table, promise->get_future().share()};
        const ReaderRequest request{program(),   identity.path,
                                    table,       catalogueFields(),
                                    quietLimit_, limits_.value_or(LimitsForFile(identity.size))};
        worker_ = std::thread([this, promise, request] { run(*promise, request); });
    }

    void run(std::promise<std::shared_ptr<CatalogueTable>>& promise, const ReaderRequest& request) {
        ++reads_;
        // Whatever goes wrong here, running out of memory included, goes to whoever waits for
        // the read: nothing may escape a thread.
        try {
            CatalogueRows rows = ReadWithHelper(request, [this] { return stopping_.load(); });
            promise.set_value(std::make_shared<CatalogueTable>(sys::Utf8Of(request.file),
                                                               request.table, std::move(rows)));
        } catch (...) {
            promise.set_exception(std::current_exception());
        }
    }

    void stopWorker() {
        if (worker_.joinable()) {
            stopping_ = true;
            worker_.join();
            stopping_ = false;
        }
    }

    std::optional<Read> read_;
    std::thread worker_;
    std::atomic<bool> stopping_ = false;
    std::atomic<std::size_t> reads_ = 0;
    std::filesystem::path program_;
    std::chrono::milliseconds quietLimit_ = kQuietLimit;
    std::optional<ReaderLimits> limits_;
};

Store& store() {
    static Store instance;
    return instance;
}

} // namespace

void CheckCatalogueFile(const std::string& path) {
    try {
        CheckJetFile(sys::PathFromUtf8(path));
    } catch (const JetError& error) {
        throw CatalogueError(error.what());
    }
}

void PreloadCatalogue(const std::string& path) {
    store().preload(sys::PathFromUtf8(path));
}

std::shared_ptr<CatalogueTable> OpenCatalogueTable(const std::string& path,
                                                   const std::string& table,
                                                   const std::function<void()>& whileWaiting) {
    CheckCatalogueFile(path);
    return store().open(sys::PathFromUtf8(path), table, whileWaiting);
}

std::size_t CatalogueReadCount() {
    return store().readCount();
}

void SetCatalogueReaderProgram(const std::filesystem::path& program) {
    store().setProgram(program);
}

void SetCatalogueReadQuietLimit(std::chrono::milliseconds limit) {
    store().setQuietLimit(limit);
}

void SetCatalogueReadLimits(std::optional<ReaderLimits> limits) {
    store().setLimits(limits);
}

} // namespace catalogue
