#pragma once
// The device's boxes and size as Qt's rectangles and sizes.

#include "shape/device_geometry.h"

#include <QRect>
#include <QSize>

namespace ui {

constexpr QRect RectOf(shape::Box box) {
    return QRect(box.left, box.top, box.width, box.height);
}

constexpr QSize SizeOf(shape::Size size) {
    return QSize(size.width, size.height);
}

} // namespace ui
