#pragma once
// Appends little-endian integers, the byte order of the bitmap and icon file formats.

#include <QByteArray>
#include <QtEndian>

namespace painter {

inline void putU16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

inline void putU32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace painter
