// A search of the window on a catalogue that makes the Jet library loop for ever while it reads
// the properties of the file's own objects: prints the time until the French box, the reading
// helper's peak memory and the window's longest stretch without handling its events.
// Usage: damaged_read_bench READER ACCESS-FILE grows|spins
//   READER       the reading helper (orvane-read-catalogue)
//   ACCESS-FILE  a Jet 4 file written by Access, whose first properties block gets damaged:
//                grows: its second chunk gets length 0 (the library allocates on every turn);
//                spins: length 0 and an unknown kind (it only turns).

#include "app/recherche.h"
#include "app/shaped_form.h"
#include "catalogue/catalogue_store.h"
#include "platform/app_info.h"
#include "platform/message_box.h"
#include "ui/search_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

bool damage(QByteArray& bytes, bool grows) {
    const qsizetype block = bytes.indexOf(QByteArray("MR2\0", 4));
    if (block < 0) {
        return false;
    }
    quint32 first = 0;
    std::memcpy(&first, bytes.constData() + block + 4, 4); // little-endian machines
    const qsizetype second = block + 4 + qsizetype(first);
    bytes.replace(second, 4, QByteArray(4, '\0'));
    if (!grows) {
        bytes.replace(second + 4, 2, QByteArray(2, '\x77'));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[3], "grows") != 0 && std::strcmp(argv[3], "spins") != 0)) {
        std::fputs("usage: damaged_read_bench READER ACCESS-FILE grows|spins\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QFile source(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "damaged_read_bench: cannot read %s\n", argv[2]);
        return 1;
    }
    QByteArray bytes = source.readAll();
    const QTemporaryDir folder;
    QFile catalogue(folder.filePath(QStringLiteral("base.MDB")));
    if (!damage(bytes, std::strcmp(argv[3], "grows") == 0) ||
        !catalogue.open(QIODevice::WriteOnly) || catalogue.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "damaged_read_bench: no properties block to damage in %s\n", argv[2]);
        return 1;
    }
    catalogue.close();

    catalogue::SetCatalogueReaderProgram(QString::fromLocal8Bit(argv[1]));
    platform::SetAppPathSource([&folder] { return folder.path(); });
    platform::SetPrevInstanceSource([] { return false; });
    QElapsedTimer clock;
    qint64 boxAt = -1;
    QString message;
    platform::SetMessageBoxHandler([&](const platform::MessageBoxRequest& request) {
        boxAt = clock.elapsed();
        message = request.prompt;
        return platform::vbOK;
    });

    ShapedForm form;
    form.Form_Load();
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
