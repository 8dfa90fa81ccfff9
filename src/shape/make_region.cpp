#include "shape/make_region.h"

#include "platform/screen.h"
#include "shape/outline_tables.h"
#include "shape/vertex_formula.h"

#include <vector>

namespace shape {
namespace {

using platform::POINTAPI;
using TableLookup = std::int16_t (*)(std::int16_t);

void fillVertices(std::vector<POINTAPI>& points, int count, TableLookup xOf, TableLookup yOf,
                  float scaleX, float scaleY, std::int16_t offsetX, std::int16_t offsetY) {
    points.assign(std::size_t(count), POINTAPI{0, 0});
    for (std::int16_t i = 0; i < count; ++i) {
        points[std::size_t(i)].x = ScaleVertex(xOf(i), scaleX, offsetX, platform::TwipsPerPixelX());
        points[std::size_t(i)].y = ScaleVertex(yOf(i), scaleY, offsetY, platform::TwipsPerPixelY());
    }
}

} // namespace

platform::HRGN MakeRegion(float& scaleX, float& scaleY, std::int16_t& offsetX,
                          std::int16_t& offsetY, platform::HRGN& windowRgn) {
    using namespace platform;
    windowRgn = CreateRectRgn(0, 0, 0, 0);
    const HRGN scratch = CreateRectRgn(0, 0, 0, 0);

    std::vector<POINTAPI> vertices;
    fillVertices(vertices, kOutlineVertexCount, OutlineX, OutlineY, scaleX, scaleY, offsetX,
                 offsetY);
    const HRGN outer = CreatePolygonRgn(vertices.data(), kOutlineVertexCount, ALTERNATE);
    CombineRgn(windowRgn, outer, outer, RGN_COPY);
    DeleteObject(outer);

    fillVertices(vertices, kHoleVertexCount, HoleX, HoleY, scaleX, scaleY, offsetX, offsetY);
    const HRGN hole = CreatePolygonRgn(vertices.data(), kHoleVertexCount, ALTERNATE);
    CombineRgn(scratch, windowRgn, windowRgn, RGN_COPY);
    CombineRgn(windowRgn, scratch, hole, RGN_DIFF);
    DeleteObject(hole);
    DeleteObject(scratch);
    return windowRgn;
}

} // namespace shape
