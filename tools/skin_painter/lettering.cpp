#include "lettering.h"

#include <QPainterPathStroker>
#include <array>
#include <map>

namespace painter {
namespace {

// A block capital: centre lines of its strokes on a grid 4 units wide and 6 tall.
struct Glyph {
    float width; // in grid units
    std::vector<std::vector<QPointF>> strokes;
    bool closedFirst = false; // the first stroke is a closed loop
};

const std::map<QChar, Glyph>& glyphs() {
    static const std::map<QChar, Glyph> table = {
        {'O', {4, {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}}}, true}},
        {'R', {4, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}}}},
        {'V', {4, {{{0, 0}, {2, 6}, {4, 0}}}}},
        {'A', {4, {{{0, 6}, {1.5, 0}, {2.5, 0}, {4, 6}}, {{0.5, 4}, {3.5, 4}}}}},
        {'N', {4, {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}}},
        {'E', {4, {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}}},
        {'Z', {4, {{{0, 0}, {4, 0}, {0, 6}, {4, 6}}}}},
        {'L', {4, {{{0, 0}, {0, 6}, {4, 6}}}}},
        {'K', {4, {{{0, 0}, {0, 6}}, {{4, 0}, {0.6, 3.4}}, {{1.6, 2.6}, {4, 6}}}}},
        {'I', {0, {{{0, 0}, {0, 6}}}}},
        {'S',
         {4, {{{4, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {0, 6}}}}},
    };
    return table;
}

float unitOf(const BlockStyle& style) {
    return (style.height - style.weight) / 6.0f;
}

QPainterPath glyphPath(const Glyph& glyph, QPointF origin, const BlockStyle& style) {
    const float unit = unitOf(style);
    const float half = style.weight / 2.0f;
    QPainterPathStroker stroker;
    stroker.setWidth(style.weight);
    stroker.setCapStyle(Qt::SquareCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setMiterLimit(3.0);
    QPainterPath letter;
    for (std::size_t s = 0; s < glyph.strokes.size(); ++s) {
        QPainterPath line;
        const auto& points = glyph.strokes[s];
        line.moveTo(origin + QPointF(half + points[0].x() * unit, half + points[0].y() * unit));
        for (std::size_t i = 1; i < points.size(); ++i) {
            line.lineTo(origin + QPointF(half + points[i].x() * unit, half + points[i].y() * unit));
        }
        if (s == 0 && glyph.closedFirst) {
            line.closeSubpath();
        }
        letter = letter.united(stroker.createStroke(line));
    }
    // Square caps of slanted strokes poke out of the letter's box: cut them flat.
    QPainterPath box;
    box.addRect(QRectF(origin, QSizeF(glyph.width * unit + style.weight, style.height)));
    return letter.intersected(box);
}

// Dot letters, one string per row, '#' for a lit dot.
using DotGlyph = std::array<const char*, kPlateCellHeight>;

const std::map<QChar, DotGlyph>& dotGlyphs() {
    static const std::map<QChar, DotGlyph> table = {
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'r', {".....", ".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", "#...."}},
        {'v', {".....", ".....", ".....", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
        {'a', {".....", ".....", ".....", ".###.", "....#", ".####", "#...#", "#..##", ".##.#"}},
        {'n', {".....", ".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#", "#...#"}},
        {'e', {".....", ".....", ".....", ".###.", "#...#", "#####", "#....", "#...#", ".###."}},
    };
    return table;
}

} // namespace

float BlockWidth(const QString& word, const BlockStyle& style) {
    float width = 0.0f;
    int letters = 0;
    for (const QChar c : word) {
        const auto found = glyphs().find(c);
        if (found != glyphs().end()) {
            width += found->second.width * unitOf(style) + style.weight;
            ++letters;
        }
    }
    return letters == 0 ? 0.0f : width + float(letters - 1) * style.spacing;
}

QPainterPath BlockWord(const QString& word, QPointF origin, const BlockStyle& style) {
    QPainterPath path;
    QPointF pen = origin;
    for (const QChar c : word) {
        const auto found = glyphs().find(c);
        if (found == glyphs().end()) {
            continue;
        }
        path = path.united(glyphPath(found->second, pen, style));
        pen.rx() += found->second.width * unitOf(style) + style.weight + style.spacing;
    }
    return path;
}

std::vector<QPoint> PlateDots(const QString& word, int pitch) {
    std::vector<QPoint> dots;
    int cell = 0;
    for (const QChar c : word) {
        const auto found = dotGlyphs().find(c);
        if (found != dotGlyphs().end()) {
            for (int row = 0; row < kPlateCellHeight; ++row) {
                for (int col = 0; col < kPlateCellWidth; ++col) {
                    if (found->second[std::size_t(row)][col] == '#') {
                        dots.emplace_back(cell * pitch + col, row);
                    }
                }
            }
        }
        ++cell;
    }
    return dots;
}

} // namespace painter
