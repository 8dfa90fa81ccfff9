#pragma once
// The two letterings of the device: block capitals built from thick strokes (the logo and the
// icon's initials) and the small fixed-pitch dot letters of the title plate. Both are drawn
// from our own glyph tables so that the artwork does not depend on the fonts installed.

#include <QPainterPath>
#include <QPoint>
#include <QString>
#include <vector>

namespace painter {

struct BlockStyle {
    float height;  // outer height of a letter in pixels
    float weight;  // stroke width in pixels
    float spacing; // gap between letters in pixels
};

// Outer width of a word set in block capitals. Letters without a glyph are skipped.
float BlockWidth(const QString& word, const BlockStyle& style);
// The word's outline with its top-left corner at `origin`.
QPainterPath BlockWord(const QString& word, QPointF origin, const BlockStyle& style);

// Fixed-pitch dot letters: every letter sits in a cell kPlateCellWidth wide and
// kPlateCellHeight tall. Returns the lit dots of the word, its first cell at (0, 0).
inline constexpr int kPlateCellWidth = 5;
inline constexpr int kPlateCellHeight = 9;
std::vector<QPoint> PlateDots(const QString& word, int pitch);

} // namespace painter
