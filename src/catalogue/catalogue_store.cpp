#include "catalogue/catalogue_store.h"

#include "catalogue/catalogue_error.h"
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
// Reading 100,000 rows takes about a second; a helper silent this long is stuck.
constexpr std::chrono::milliseconds kQuietLimit{20'000};

std::filesystem::path fileSystemPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// What tells a file apart from the one read before: same path, size and modification time.
struct FileIdentity {
    QString path;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity identify(const QString& path) {
    const std::filesystem::path file = fileSystemPath(path);
    std::error_code error;
    FileIdentity identity{path, std::filesystem::file_size(file, error), {}};
    identity.modified = std::filesystem::last_write_time(file, error);
    return identity;
}

using TableResult = std::shared_future<std::shared_ptr<CatalogueTable>>;

// The one read the store keeps: the last table asked for, while its file is unchanged.
struct Read {
    FileIdentity identity;
    QString table;
    TableResult result;
    std::uint64_t number;
};

class Store {
public:
    ~Store() { stopWorker(); }

    std::shared_ptr<CatalogueTable> open(const QString& path, const QString& table) {
        const FileIdentity identity = identify(path);
        if (!holds(identity, table)) {
            start(identity, table);
        }
        const TableResult result = read_->result;
        const std::uint64_t number = read_->number;
        try {
            return result.get();
        } catch (const CatalogueError&) {
            // A failed read is not kept: the next search tries the file again.
            if (read_ && read_->number == number) {
                read_.reset();
            }
            throw;
        }
    }

    void preload(const QString& path) {
        const FileIdentity identity = identify(path);
        if (!holds(identity, kPreloadedTable)) {
            start(identity, kPreloadedTable);
        }
    }

    std::size_t readCount() const { return reads_; }

    void setProgram(const QString& program) { program_ = program; }

    void setQuietLimit(std::chrono::milliseconds limit) { quietLimit_ = limit; }

private:
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
        read_ = Read{identity, table, promise->get_future().share(), ++readsStarted_};
        const ReaderRequest request{program(), identity.path, table, kCatalogueFields, quietLimit_};
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
    std::uint64_t readsStarted_ = 0;
    std::atomic<std::size_t> reads_ = 0;
    QString program_;
    std::chrono::milliseconds quietLimit_ = kQuietLimit;
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

std::shared_ptr<CatalogueTable> OpenCatalogueTable(const QString& path, const QString& table) {
    CheckCatalogueFile(path);
    return store().open(path, table);
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

} // namespace catalogue
