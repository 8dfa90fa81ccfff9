#include "bmp_writer.h"

#include "little_endian.h"

namespace painter {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kTrailingPad = 2;
constexpr int kPixelsPerMetre = 3780; // 96 dots per inch

} // namespace

QByteArray EncodeBmp24(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width(), height = rgb.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    const quint32 pixelBytes = quint32(stride) * quint32(height) + kTrailingPad;
    const quint32 offset = kFileHeaderSize + kInfoHeaderSize;

    QByteArray out;
    out.reserve(int(offset + pixelBytes));
    out.append("BM", 2);
    putU32(out, offset + pixelBytes);
    putU16(out, 0);
    putU16(out, 0);
    putU32(out, offset);

    putU32(out, kInfoHeaderSize);
    putU32(out, quint32(width));
    putU32(out, quint32(height)); // positive: rows bottom-up
    putU16(out, 1);               // planes
    putU16(out, 24);              // bits per pixel
    putU32(out, 0);               // BI_RGB
    putU32(out, pixelBytes);
    putU32(out, kPixelsPerMetre);
    putU32(out, kPixelsPerMetre);
    putU32(out, 0); // colours used
    putU32(out, 0); // important colours

    for (int y = height - 1; y >= 0; --y) {
        const uchar* line = rgb.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            out.append(char(line[3 * x + 2]));
            out.append(char(line[3 * x + 1]));
            out.append(char(line[3 * x]));
        }
        out.append(stride - width * 3, '\0');
    }
    out.append(kTrailingPad, '\0');
    return out;
}

} // namespace painter
