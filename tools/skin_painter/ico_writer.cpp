#include "ico_writer.h"

#include "little_endian.h"

namespace painter {
namespace {

constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;
constexpr int kInfoHeaderSize = 40;

void putU8(QByteArray& out, int value) {
    out.append(char(value));
}

int rowBytes(int bits, int width) {
    return (width * bits + 31) / 32 * 4;
}

} // namespace

QByteArray EncodeIco8(const IndexedIcon& icon) {
    const int n = icon.size;
    const int colourRow = rowBytes(8, n), maskRow = rowBytes(1, n);
    const quint32 imageBytes =
        kInfoHeaderSize + 256 * 4 + quint32(colourRow * n) + quint32(maskRow * n);

    QByteArray out;
    putU16(out, 0); // reserved
    putU16(out, 1); // icon
    putU16(out, 1); // one image
    putU8(out, n == 256 ? 0 : n);
    putU8(out, n == 256 ? 0 : n);
    putU8(out, 0); // 256 colours
    putU8(out, 0);
    putU16(out, 1); // planes
    putU16(out, 8); // bits per pixel
    putU32(out, imageBytes);
    putU32(out, kDirectorySize + kEntrySize);

    // The image's bitmap header counts the colour rows and the mask rows together.
    putU32(out, kInfoHeaderSize);
    putU32(out, quint32(n));
    putU32(out, quint32(2 * n));
    putU16(out, 1);
    putU16(out, 8);
    putU32(out, 0);
    putU32(out, quint32(colourRow * n + maskRow * n));
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    for (const QRgb colour : icon.palette) {
        putU8(out, qBlue(colour));
        putU8(out, qGreen(colour));
        putU8(out, qRed(colour));
        putU8(out, 0);
    }
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; ++x) {
            putU8(out, icon.pixels[std::size_t(y * n + x)]);
        }
        out.append(colourRow - n, '\0');
    }
    for (int y = n - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < n; ++x) {
            if (icon.transparent[std::size_t(y * n + x)]) {
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(row);
    }
    return out;
}

} // namespace painter
