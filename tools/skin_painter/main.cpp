// orvane-paint-skin: paints the device's artwork and writes it into the resources folder given
// on the command line: the skin, the five lit overlays, the icon and its PNG copies for the
// desktop. The painting is deterministic, so a rerun reproduces the committed files exactly.

#include "bmp_writer.h"
#include "ico_writer.h"
#include "icon_art.h"
#include "skin.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeDesktopIcons(const QDir& resources) {
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/apps").arg(size);
        if (!resources.mkpath(folder) ||
            !painter::IconArt(size).save(resources.filePath(folder + "/orvane.png"), "PNG")) {
            std::fprintf(stderr, "cannot write the %d px icon\n", size);
            return false;
        }
    }
    return true;
}

bool writeArtwork(const QDir& out) {
    using namespace painter;
    const Canvas skin = PaintSkin();
    return writeFile(out.filePath("skin.bmp"), EncodeBmp24(skin.toImage())) &&
           writeFile(out.filePath("lit_close.bmp"), EncodeBmp24(LitButton(skin, 0))) &&
           writeFile(out.filePath("lit_minimise.bmp"), EncodeBmp24(LitButton(skin, 1))) &&
           writeFile(out.filePath("lit_help.bmp"), EncodeBmp24(LitButton(skin, 2))) &&
           writeFile(out.filePath("lit_left.bmp"), EncodeBmp24(LitLeftArrow(skin))) &&
           writeFile(out.filePath("lit_right.bmp"), EncodeBmp24(LitRightArrow(skin))) &&
           writeFile(out.filePath("orvane.ico"), EncodeIco8(IconImage32())) &&
           writeDesktopIcons(out);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: orvane-paint-skin RESOURCES-FOLDER\n");
        return 2;
    }
    const QDir out(args.at(1));
    if (!out.exists()) {
        std::fprintf(stderr, "no such folder: %s\n", qPrintable(args.at(1)));
        return 2;
    }
    try {
        return writeArtwork(out) ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orvane-paint-skin: %s\n", error.what());
        return 1;
    }
}
