#include "linux/regions.h"

#include <QPolygon>
#include <QRect>
#include <mutex>
#include <unordered_map>

namespace platform {
namespace {

struct RegionTable {
    std::mutex lock;
    std::unordered_map<HRGN, QRegion> regions;
    HRGN lastHandle = 0;

    HRGN add(QRegion region) {
        std::lock_guard guard(lock);
        do {
            lastHandle = lastHandle == INT32_MAX ? 1 : lastHandle + 1;
        } while (regions.contains(lastHandle));
        regions.emplace(lastHandle, std::move(region));
        return lastHandle;
    }
};

RegionTable& table() {
    static RegionTable instance;
    return instance;
}

// Width or height of a box whose far edge is exclusive; empty when the box is inverted.
std::int64_t extent(std::int32_t from, std::int32_t to) {
    return std::max<std::int64_t>(0, std::int64_t{to} - from);
}

bool fitsQtCoordinates(std::int64_t value) {
    return value >= INT32_MIN / 2 && value <= INT32_MAX / 2;
}

} // namespace

HRGN CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    const auto l = std::min(left, right), t = std::min(top, bottom);
    const auto w = extent(l, std::max(left, right)), h = extent(t, std::max(top, bottom));
    if (!fitsQtCoordinates(l) || !fitsQtCoordinates(t) || !fitsQtCoordinates(w) ||
        !fitsQtCoordinates(h)) {
        return 0;
    }
    return table().add(QRegion(QRect(l, t, int(w), int(h))));
}

HRGN CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom) {
    const auto w = extent(left, right), h = extent(top, bottom);
    if (!fitsQtCoordinates(left) || !fitsQtCoordinates(top) || !fitsQtCoordinates(w) ||
        !fitsQtCoordinates(h)) {
        return 0;
    }
    return table().add(QRegion(QRect(left, top, int(w), int(h)), QRegion::Ellipse));
}

HRGN CreatePolygonRgn(const POINTAPI* points, std::int32_t count, std::int32_t fillMode) {
    if (points == nullptr || count < 2 || fillMode != app::kAlternate) {
        return 0;
    }
    QPolygon polygon;
    polygon.reserve(count);
    for (std::int32_t i = 0; i < count; ++i) {
        if (!fitsQtCoordinates(points[i].x) || !fitsQtCoordinates(points[i].y)) {
            return 0;
        }
        polygon.append(QPoint(points[i].x, points[i].y));
    }
    return table().add(QRegion(polygon, Qt::OddEvenFill));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    auto& t = table();
    std::lock_guard guard(t.lock);
    const auto target = t.regions.find(dest);
    const auto first = t.regions.find(src1);
    if (target == t.regions.end() || first == t.regions.end()) {
        return 0;
    }
    if (mode == app::kRgnCopy) {
        target->second = first->second;
        return 1;
    }
    const auto second = t.regions.find(src2);
    if (mode != app::kRgnDiff || second == t.regions.end()) {
        return 0;
    }
    target->second = first->second.subtracted(second->second);
    return 1;
}

std::int32_t PtInRegion(HRGN region, std::int32_t x, std::int32_t y) {
    auto& t = table();
    std::lock_guard guard(t.lock);
    const auto found = t.regions.find(region);
    return found != t.regions.end() && found->second.contains(QPoint(x, y)) ? 1 : 0;
}

std::int32_t DeleteObject(HRGN region) {
    auto& t = table();
    std::lock_guard guard(t.lock);
    return t.regions.erase(region) == 1 ? 1 : 0;
}

std::optional<QRegion> RegionOf(HRGN region) {
    auto& t = table();
    std::lock_guard guard(t.lock);
    const auto found = t.regions.find(region);
    if (found == t.regions.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<QRegion> TakeRegion(HRGN region) {
    auto& t = table();
    std::lock_guard guard(t.lock);
    const auto found = t.regions.find(region);
    if (found == t.regions.end()) {
        return std::nullopt;
    }
    QRegion taken = std::move(found->second);
    t.regions.erase(found);
    return taken;
}

int LiveRegionCount() {
    auto& t = table();
    std::lock_guard guard(t.lock);
    return int(t.regions.size());
}

} // namespace platform
