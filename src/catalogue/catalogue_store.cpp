#include "catalogue/catalogue_store.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/file_identity.h"
#include "catalogue/reader_process.h"
#include "platform/jet/jet_error.h"
#include "platform/jet/jet_header.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <atomic>
#include <filesystem>
#include <future>
#include <optional>

namespace catalogue {
namespace {

const std::vector<std::string> kCatalogueFields{"Nom", "cd", "Description"};
const QString kPreloadedTable = QStringLiteral("Index");
// The helper sends its rows as it reads them, tens of kilobytes at a time; one silent this long
// is stuck.
constexpr std::chrono::milliseconds kQuietLimit{3'000};
// How often a wait for a read runs its caller's step, such as the window's event pump.
constexpr std::chrono::milliseconds kWaitStep{10};

std::filesystem::path fileSystemPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

using TableResult = std::shared_future<std::shared_ptr<CatalogueTable>>;

// The one read the store keeps: the last table asked for, while its file is unchanged.
struct Read {
    FileIdentity identity;
    QString table;
    TableResult result;
};

class Store {
public:
    ~Store() { stopWorker(); }

    std::shared_ptr<CatalogueTable> open(const QString& path, const QString& table,
                                         const std::function<void()>& whileWaiting) {
        for (;;) {
            const FileIdentity identity = IdentifyFile(path);
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

    void preload(const QString& path) {
        const FileIdentity identity = IdentifyFile(path);
        if (!holds(identity, kPreloadedTable)) {
            start(identity, kPreloadedTable);
        }
    }

    std::size_t readCount() const { return reads_; }

    void setProgram(const QString& program) { program_ = program; }

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

    void forget(const FileIdentity& identity, const QString& table) {
        if (holds(identity, table)) {
            stopWorker();
            read_.reset();
        }
    }

    bool holds(const FileIdentity& identity, const QString& table) const {
        return read_ && read_->identity == identity &&
               read_->table.compare(table, Qt::CaseInsensitive) == 0;
    }

    QString program() const {
        if (!program_.isEmpty()) {
            return program_;
        }
        return QCoreApplication::applicationDirPath() + QLatin1Char('/') +
               QStringLiteral("orvane-read-catalogue");
    }

    void start(const FileIdentity& identity, const QString& table) {
        stopWorker();
        auto promise = std::make_shared<std::promise<std::shared_ptr<CatalogueTable>>>();
        read_ = Read{identity, table, promise->get_future().share()};
        const ReaderRequest request{program(),   identity.path,
                                    table,       kCatalogueFields,
                                    quietLimit_, limits_.value_or(LimitsForFile(identity.size))};
        worker_.reset(QThread::create([this, promise, request] { run(*promise, request); }));
        worker_->start();
    }

    void run(std::promise<std::shared_ptr<CatalogueTable>>& promise, const ReaderRequest& request) {
        ++reads_;
        try {
            CatalogueRows rows = ReadWithHelper(
                request, [] { return QThread::currentThread()->isInterruptionRequested(); });
            promise.set_value(std::make_shared<CatalogueTable>(
                request.file.toStdString(), request.table.toStdString(), std::move(rows)));
        } catch (const CatalogueError&) {
            promise.set_exception(std::current_exception());
        } catch (const ReadCancelled&) {
            promise.set_exception(std::current_exception());
        }
    }

    void stopWorker() {
        if (worker_) {
            worker_->requestInterruption();
            worker_->wait();
            worker_.reset();
        }
    }

    std::optional<Read> read_;
    std::unique_ptr<QThread> worker_;
    std::atomic<std::size_t> reads_ = 0;
    QString program_;
    std::chrono::milliseconds quietLimit_ = kQuietLimit;
    std::optional<ReaderLimits> limits_;
};

Store& store() {
    static Store instance;
    return instance;
}

} // namespace

void CheckCatalogueFile(const QString& path) {
    try {
        platform::CheckJetFile(fileSystemPath(path));
    } catch (const platform::JetError& error) {
        throw CatalogueError(error.what());
    }
}

void PreloadCatalogue(const QString& path) {
    store().preload(path);
}

std::shared_ptr<CatalogueTable> OpenCatalogueTable(const QString& path, const QString& table,
                                                   const std::function<void()>& whileWaiting) {
    CheckCatalogueFile(path);
    return store().open(path, table, whileWaiting);
}

std::size_t CatalogueReadCount() {
    return store().readCount();
}

void SetCatalogueReaderProgram(const QString& program) {
    store().setProgram(program);
}

void SetCatalogueReadQuietLimit(std::chrono::milliseconds limit) {
    store().setQuietLimit(limit);
}

void SetCatalogueReadLimits(std::optional<ReaderLimits> limits) {
    store().setLimits(limits);
}

} // namespace catalogue
