#pragma once
// Windows icon files holding one image of 256 colours (8 bits per pixel) with its 1-bit
// transparency mask.

#include <QByteArray>
#include <QRgb>
#include <array>
#include <cstdint>
#include <vector>

namespace painter {

struct IndexedIcon {
    int size = 0;                     // width and height
    std::vector<std::uint8_t> pixels; // palette indices, rows top-down
    std::vector<bool> transparent;    // rows top-down
    std::array<QRgb, 256> palette{};
};

QByteArray EncodeIco8(const IndexedIcon& icon);

} // namespace painter
