#include "picture_files.h"

#include "shape/outline_tables.h"

#include <QFile>
#include <QPolygon>
#include <QtEndian>
#include <algorithm>

namespace picture_files {
namespace {

std::uint32_t u32(const QByteArray& bytes, int at) {
    return at + 4 <= bytes.size() ? qFromLittleEndian<quint32>(bytes.constData() + at) : 0;
}

std::uint16_t u16(const QByteArray& bytes, int at) {
    return at + 2 <= bytes.size() ? qFromLittleEndian<quint16>(bytes.constData() + at) : 0;
}

int u8(const QByteArray& bytes, int at) {
    return at < bytes.size() ? int(uchar(bytes[at])) : -1;
}

using TableLookup = std::int16_t (*)(std::int16_t);

QRegion polygonRegion(int count, TableLookup xOf, TableLookup yOf) {
    QPolygon polygon;
    for (std::int16_t i = 0; i < count; ++i) {
        polygon << QPoint(xOf(i), yOf(i));
    }
    return QRegion(polygon, Qt::OddEvenFill);
}

} // namespace

QByteArray ReadResource(const QString& name) {
    QFile file(QStringLiteral(ORVANE_RESOURCES_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int Rgb::max() const {
    return std::max({r, g, b});
}

Bitmap ParseBitmap(const QByteArray& file) {
    Bitmap bmp;
    bmp.signature = file.left(2);
    bmp.fileSizeField = u32(file, 2);
    bmp.pixelOffset = u32(file, 10);
    bmp.infoSize = u32(file, 14);
    bmp.width = std::int32_t(u32(file, 18));
    bmp.height = std::int32_t(u32(file, 22));
    bmp.planes = u16(file, 26);
    bmp.bitsPerPixel = u16(file, 28);
    bmp.compression = u32(file, 30);
    bmp.imageSizeField = u32(file, 34);
    if (bmp.bitsPerPixel != 24 || bmp.width <= 0 || bmp.height <= 0 || bmp.width > 4096 ||
        bmp.height > 4096) {
        return bmp;
    }
    const qsizetype stride = (qsizetype(bmp.width) * 3 + 3) / 4 * 4;
    if (qsizetype(bmp.pixelOffset) + stride * bmp.height > file.size()) {
        return bmp;
    }
    bmp.pixels.resize(std::size_t(bmp.width) * std::size_t(bmp.height));
    for (int y = 0; y < bmp.height; ++y) {
        const qsizetype row = qsizetype(bmp.pixelOffset) + stride * (bmp.height - 1 - y);
        for (int x = 0; x < bmp.width; ++x) {
            const int at = int(row) + 3 * x;
            bmp.pixels[std::size_t(y) * std::size_t(bmp.width) + x] =
                Rgb{u8(file, at + 2), u8(file, at + 1), u8(file, at)};
        }
    }
    return bmp;
}

Icon ParseIcon(const QByteArray& file) {
    Icon icon;
    icon.reserved = u16(file, 0);
    icon.type = u16(file, 2);
    icon.count = u16(file, 4);
    icon.entryWidth = u8(file, 6);
    icon.entryHeight = u8(file, 7);
    icon.entryColours = u8(file, 8);
    icon.entryPlanes = u16(file, 10);
    icon.entryBits = u16(file, 12);
    icon.entryBytes = u32(file, 14);
    icon.entryOffset = u32(file, 18);
    const int image = int(icon.entryOffset);
    icon.infoSize = u32(file, image);
    icon.width = std::int32_t(u32(file, image + 4));
    icon.height = std::int32_t(u32(file, image + 8));
    icon.bitsPerPixel = u16(file, image + 14);
    icon.compression = u32(file, image + 16);
    const int n = icon.width;
    if (icon.bitsPerPixel != 8 || n <= 0 || n > 256 || icon.height != 2 * n) {
        return icon;
    }
    const int palette = image + int(icon.infoSize);
    const int colourRow = (n + 3) / 4 * 4, maskRow = (n + 31) / 32 * 4;
    const int colourRows = palette + 256 * 4, maskRows = colourRows + colourRow * n;
    if (maskRows + maskRow * n > file.size()) {
        return icon;
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const int index = u8(file, colourRows + colourRow * (n - 1 - y) + x);
            const int entry = palette + 4 * index;
            icon.colours.push_back(Rgb{u8(file, entry + 2), u8(file, entry + 1), u8(file, entry)});
            const int maskByte = u8(file, maskRows + maskRow * (n - 1 - y) + x / 8);
            icon.transparent.push_back(((maskByte >> (7 - x % 8)) & 1) != 0);
        }
    }
    return icon;
}

QRegion OuterRegion() {
    return polygonRegion(shape::kOutlineVertexCount, shape::OutlineX, shape::OutlineY);
}

QRegion HoleRegion() {
    return polygonRegion(shape::kHoleVertexCount, shape::HoleX, shape::HoleY);
}

QRegion DeviceRegion() {
    return OuterRegion().subtracted(HoleRegion());
}

} // namespace picture_files
