// A search of the window on a catalogue that makes the Jet library loop for ever while it reads
// the properties of the file's own objects: prints the time until the French box, the reading
// helper's peak memory and the window's longest stretch without handling its events.
// Usage: damaged_read_bench READER CATALOGUE grows|spins
//   READER     the reading helper (orvane-read-catalogue)
//   CATALOGUE  a catalogue made by orvane-catalogue (build/base.MDB), whose table gets a
//              properties block, then damaged there:
//              grows: a chunk of length 0 (the library allocates on every turn);
//              spins: length 0 and an unknown kind (it only turns).

#include "app/recherche.h"
#include "catalogue/catalogue_store.h"
#include "damaged_catalogues.h"
#include "linux/app_info.h"
#include "linux/form_window.h"
#include "linux/message_box.h"
#include "linux/search_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[3], "grows") != 0 && std::strcmp(argv[3], "spins") != 0)) {
        std::fputs("usage: damaged_read_bench READER CATALOGUE grows|spins\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QFile source(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "damaged_read_bench: cannot read %s\n", argv[2]);
        return 1;
    }
    std::string bytes;
    try {
        bytes =
            damage::LoopInProperties(damage::WithTableProperties(source.readAll().toStdString()),
                                     std::strcmp(argv[3], "grows") == 0);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "damaged_read_bench: %s: %s\n", argv[2], error.what());
        return 1;
    }
    const QTemporaryDir folder;
    QFile catalogue(folder.filePath(QStringLiteral("base.MDB")));
    if (!catalogue.open(QIODevice::WriteOnly) ||
        catalogue.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        std::fprintf(stderr, "damaged_read_bench: cannot write %s\n",
                     catalogue.fileName().toLocal8Bit().constData());
        return 1;
    }
    catalogue.close();

    catalogue::SetCatalogueReaderProgram(argv[1]);
    platform::SetAppPathSource([&folder] { return folder.path(); });
    platform::SetPrevInstanceSource([] { return false; });
    QElapsedTimer clock;
    qint64 boxAt = -1;
    QString message;
    platform::SetMessageBoxHandler([&](const platform::MessageBoxRequest& request) {
        boxAt = clock.elapsed();
        message = request.prompt;
        return app::vbOK;
    });

    ui::FormWindow form;
    form.form().Form_Load();
    form.show();
    QApplication::processEvents();

    // A timer due every millisecond: the longest gap between its runs is the longest the window
    // went without handling its events.
    qint64 longestStall = 0;
    QElapsedTimer sinceTick;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, sinceTick.restart()); });

    form.Text1->setText(QStringLiteral("jeu"));
    clock.start();
    sinceTick.start();
    probe.start();
    Module1::recherche();
    probe.stop();
    longestStall = std::max(longestStall, sinceTick.elapsed());

    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    std::printf("damage: %s\nbox after: %lld ms\nhelper peak memory: %.1f MB\n"
                "longest stall of the window: %lld ms\nmessage: %s\n",
                argv[3], boxAt, double(children.ru_maxrss) / 1024.0, longestStall,
                message.toUtf8().constData());
    return boxAt >= 0 ? 0 : 1;
}
