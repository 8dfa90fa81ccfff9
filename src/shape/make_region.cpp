#include "shape/make_region.h"

#include "platform/screen.h"
#include "shape/outline_tables.h"
#include "shape/vertex_formula.h"

#include <vector>

namespace shape {
namespace {

using platform::POINTAPI;
using Lookup = OutlineLookups::Lookup;

void fillVertices(std::vector<POINTAPI>& points, int count, const Lookup& xOf, const Lookup& yOf,
                  float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY) {
    points.assign(std::size_t(count), POINTAPI{0, 0});
    for (std::int16_t i = 0; i < count; ++i) {
        auto& point = points[std::size_t(i)];
        point.x = ScaleVertex(xOf(i), scaleX, offsetX, platform::TwipsPerPixelX());
        point.y = ScaleVertex(yOf(i), scaleY, offsetY, platform::TwipsPerPixelY());
    }
}

} // namespace

OutlineLookups DeviceOutlines() {
    return {[](std::int16_t& i) { return OutlineX(i); },
            [](std::int16_t& i) { return OutlineY(i); }, [](std::int16_t& i) { return HoleX(i); },
            [](std::int16_t& i) { return HoleY(i); }};
}

platform::HRGN MakeRegion(float& scaleX, float& scaleY, std::int16_t& offsetX,
                          std::int16_t& offsetY, platform::HRGN& windowRgn,
                          const OutlineLookups& outlines) {
    using namespace platform;
    windowRgn = CreateRectRgn(0, 0, 0, 0);
    const HRGN scratch = CreateRectRgn(0, 0, 0, 0);

    std::vector<POINTAPI> vertices;
    fillVertices(vertices, kOutlineVertexCount, outlines.outlineX, outlines.outlineY, scaleX,
                 scaleY, offsetX, offsetY);
    const HRGN outer = CreatePolygonRgn(vertices.data(), kOutlineVertexCount, ALTERNATE);
    CombineRgn(windowRgn, outer, outer, RGN_COPY);
    DeleteObject(outer);

    fillVertices(vertices, kHoleVertexCount, outlines.holeX, outlines.holeY, scaleX, scaleY,
                 offsetX, offsetY);
    const HRGN hole = CreatePolygonRgn(vertices.data(), kHoleVertexCount, ALTERNATE);
    CombineRgn(scratch, windowRgn, windowRgn, RGN_COPY);
    CombineRgn(windowRgn, scratch, hole, RGN_DIFF);
    DeleteObject(hole);
    DeleteObject(scratch);
    return windowRgn;
}

} // namespace shape
