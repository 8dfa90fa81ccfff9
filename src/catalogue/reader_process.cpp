#include "catalogue/reader_process.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/row_stream.h"
#include "platform/jet/jet_error.h"
#include "platform/quoted.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <csignal>

namespace catalogue {
namespace {

// How often the wait for the helper looks whether the read was cancelled.
constexpr int kPollMilliseconds = 50;

CatalogueError damaged(const QString& file, const std::string& what) {
    return CatalogueError(platform::JetError::damaged(file.toStdString(), what).what());
}

// The helper's output holds the file's text once, plus a few bytes per value: far more than this
// means it goes on sending what is not there.
qint64 outputLimit(const QString& file) {
    return 4 * QFileInfo(file).size() + (qint64(1) << 20);
}

QStringList argumentsOf(const ReaderRequest& request) {
    QStringList arguments;
    for (const std::string& limit : LimitArguments(request.limits)) {
        arguments.append(QString::fromStdString(limit));
    }
    arguments << request.file << request.table;
    for (const std::string& field : request.fields) {
        arguments.append(QString::fromStdString(field));
    }
    return arguments;
}

// What the way the helper ended says about the file.
std::string endOf(const QProcess& helper) {
#ifdef SIGXCPU
    if (helper.exitStatus() == QProcess::CrashExit && helper.exitCode() == SIGXCPU) {
        return "sa lecture dure plus longtemps qu'un fichier de cette taille ne le justifie";
    }
#endif
    return "sa lecture s'est arrêtée avant la fin";
}

void stop(QProcess& helper) {
    helper.kill();
    helper.waitForFinished(-1);
}

} // namespace

CatalogueRows ReadWithHelper(const ReaderRequest& request, const std::function<bool()>& cancelled) {
    CatalogueRows rows(request.fields);
    RowStreamReader stream(rows);

    QProcess helper;
    helper.setStandardInputFile(QProcess::nullDevice());
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.start(request.program, argumentsOf(request), QIODevice::ReadOnly);
    if (!helper.waitForStarted(-1)) {
        throw ReaderNotStarted("Le catalogue " + platform::Quoted(request.file.toStdString()) +
                               " ne peut pas être lu : le programme de lecture " +
                               platform::Quoted(request.program.toStdString()) +
                               " ne démarre pas.");
    }

    const qint64 limit = outputLimit(request.file);
    qint64 received = 0;
    QElapsedTimer quiet;
    quiet.start();
    while (stream.state() == RowStreamReader::State::Reading) {
        if (cancelled()) {
            stop(helper);
            throw ReadCancelled{};
        }
        const QByteArray bytes = helper.readAllStandardOutput();
        if (!bytes.isEmpty()) {
            quiet.restart();
            received += bytes.size();
            if (received > limit) {
                stop(helper);
                throw damaged(request.file, "sa lecture donne plus de données qu'il n'en contient");
            }
            stream.feed(std::string_view(bytes.constData(), std::size_t(bytes.size())));
            continue;
        }
        if (helper.state() == QProcess::NotRunning) {
            break;
        }
        if (quiet.hasExpired(request.quietLimit.count())) {
            stop(helper);
            throw damaged(request.file, "sa lecture ne progresse plus");
        }
        helper.waitForReadyRead(kPollMilliseconds);
    }
    // A helper that has said all it had to say gets a moment to end; any other is stopped.
    const bool ended = stream.state() == RowStreamReader::State::Finished ||
                       stream.state() == RowStreamReader::State::Failed;
    if (helper.state() != QProcess::NotRunning &&
        !(ended && helper.waitForFinished(int(request.quietLimit.count())))) {
        stop(helper);
    }
    // Whatever the helper wrote last, so that bytes after the end frame are seen too.
    const QByteArray rest = helper.readAllStandardOutput();
    stream.feed(std::string_view(rest.constData(), std::size_t(rest.size())));

    switch (stream.state()) {
    case RowStreamReader::State::Failed:
        throw CatalogueError(stream.message());
    case RowStreamReader::State::Garbled:
        throw damaged(request.file,
                      "sa lecture a donné des données incohérentes (" + stream.message() + ")");
    case RowStreamReader::State::Reading:
        throw damaged(request.file, endOf(helper));
    case RowStreamReader::State::Finished:
        break;
    }
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0) {
        throw damaged(request.file, endOf(helper));
    }
    return rows;
}

} // namespace catalogue
