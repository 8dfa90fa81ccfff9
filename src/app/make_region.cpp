// The window region: the device's outer outline minus the hole inside its cable loop, each
// vertex scaled to the screen. On a run-time error the regions already made stay, and windowRgn
// keeps its value.

#include "app/shaped_form.h"

#include "shape/outline_tables.h"
#include "shape/vertex_formula.h"

app::HRGN ShapedForm::MakeRegion(float& scaleX, float& scaleY, std::int16_t& offsetX,
                                 std::int16_t& offsetY) {
    using namespace app;
    windowRgn = runtime_.CreateRectRgn(0, 0, 0, 0);
    const HRGN scratch = runtime_.CreateRectRgn(0, 0, 0, 0);

    std::vector<POINTAPI> vertices;
    fillVertices(vertices, shape::kOutlineVertexCount, &ShapedForm::OutlineX, &ShapedForm::OutlineY,
                 scaleX, scaleY, offsetX, offsetY);
    const HRGN outer =
        runtime_.CreatePolygonRgn(vertices.data(), shape::kOutlineVertexCount, kAlternate);
    runtime_.CombineRgn(windowRgn, outer, outer, kRgnCopy);
    runtime_.DeleteObject(outer);

    fillVertices(vertices, shape::kHoleVertexCount, &ShapedForm::HoleX, &ShapedForm::HoleY, scaleX,
                 scaleY, offsetX, offsetY);
    const HRGN hole =
        runtime_.CreatePolygonRgn(vertices.data(), shape::kHoleVertexCount, kAlternate);
    runtime_.CombineRgn(scratch, windowRgn, windowRgn, kRgnCopy);
    runtime_.CombineRgn(windowRgn, scratch, hole, kRgnDiff);
    runtime_.DeleteObject(hole);
    runtime_.DeleteObject(scratch);
    return windowRgn;
}

// The twips per pixel are read afresh for each coordinate.
void ShapedForm::fillVertices(std::vector<app::POINTAPI>& vertices, int count, Table xOf, Table yOf,
                              float scaleX, float scaleY, std::int16_t offsetX,
                              std::int16_t offsetY) {
    vertices.assign(std::size_t(count), app::POINTAPI{0, 0});
    for (std::int16_t i = 0; i < count; ++i) {
        app::POINTAPI& point = vertices[std::size_t(i)];
        point.x = shape::ScaleVertex((this->*xOf)(i), scaleX, offsetX, runtime_.TwipsPerPixelX());
        point.y = shape::ScaleVertex((this->*yOf)(i), scaleY, offsetY, runtime_.TwipsPerPixelY());
    }
}

std::int16_t ShapedForm::OutlineX(std::int16_t& index) {
    return shape::OutlineX(index);
}

std::int16_t ShapedForm::OutlineY(std::int16_t& index) {
    return shape::OutlineY(index);
}

std::int16_t ShapedForm::HoleX(std::int16_t& index) {
    return shape::HoleX(index);
}

std::int16_t ShapedForm::HoleY(std::int16_t& index) {
    return shape::HoleY(index);
}
