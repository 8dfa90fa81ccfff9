#pragma once
// Reads the committed pictures the way Windows lays them out, without Qt's decoders, so that
// the tests see every header field and every stored pixel.

#include <QByteArray>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <vector>

namespace picture_files {

// The whole committed file resources/<name>; empty when it cannot be read.
QByteArray ReadResource(const QString& name);

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
    int max() const;
    bool isBlack() const { return r == 0 && g == 0 && b == 0; }
};

struct Bitmap {
    // File header.
    QByteArray signature;
    std::uint32_t fileSizeField = 0;
    std::uint32_t pixelOffset = 0;
    // Info header.
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: rows stored bottom-up
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSizeField = 0;
    // Pixels, top row first; filled only for a 24-bit bottom-up file that holds all its rows.
    std::vector<Rgb> pixels;

    Rgb at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + x]; }
};

// Parses the headers, and the pixels when the file is 24-bit bottom-up and long enough.
Bitmap ParseBitmap(const QByteArray& file);

struct Icon {
    // Icon directory and its one entry.
    int reserved = -1, type = -1, count = -1;
    int entryWidth = -1, entryHeight = -1, entryColours = -1, entryPlanes = -1, entryBits = -1;
    std::uint32_t entryBytes = 0, entryOffset = 0;
    // The image's bitmap header (height counts colour and mask rows).
    std::uint32_t infoSize = 0;
    std::int32_t width = 0, height = 0;
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    // Grey level of each pixel through the palette and the mask bit, top row first.
    std::vector<Rgb> colours;
    std::vector<bool> transparent;
};

// Parses an icon file with one 8-bit image; the pixel lists stay empty if it is anything else.
Icon ParseIcon(const QByteArray& file);

// The device's window region and its hole, from the outline tables.
QRegion OuterRegion();
QRegion HoleRegion();
QRegion DeviceRegion();

} // namespace picture_files
