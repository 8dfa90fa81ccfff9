#include "device_region.h"

#include "shape/outline_tables.h"

namespace painter {
namespace {

using TableLookup = std::int16_t (*)(std::int16_t);

QPolygon polygonFrom(int count, TableLookup xOf, TableLookup yOf) {
    QPolygon polygon;
    for (std::int16_t i = 0; i < count; ++i) {
        polygon << QPoint(xOf(i), yOf(i));
    }
    return polygon;
}

} // namespace

QPolygon OuterOutline() {
    return polygonFrom(shape::kOutlineVertexCount, shape::OutlineX, shape::OutlineY);
}

QPolygon HoleOutline() {
    return polygonFrom(shape::kHoleVertexCount, shape::HoleX, shape::HoleY);
}

QRegion OuterRegion() {
    return QRegion(OuterOutline(), Qt::OddEvenFill);
}

QRegion HoleRegion() {
    return QRegion(HoleOutline(), Qt::OddEvenFill);
}

QRegion DeviceRegion() {
    return OuterRegion().subtracted(HoleRegion());
}

} // namespace painter
