#pragma once
// Windows bitmap files as the program embeds them: uncompressed, 24 bits per pixel, rows
// stored bottom-up, each padded to four bytes, and two zero bytes after the last row (the
// device's pictures have always carried them, and their file sizes are part of the contract).

#include <QByteArray>
#include <QImage>

namespace painter {

QByteArray EncodeBmp24(const QImage& image);

} // namespace painter
