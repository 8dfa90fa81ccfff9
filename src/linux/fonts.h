#pragma once
// The window's fonts are designed for "MS Sans Serif". Where that family is missing it maps to
// Liberation Sans, whose metrics keep the texts within the boxes as designed.

#include <QFont>

namespace ui {

void InstallFontSubstitutions();
QFont DesignFont(qreal pointSize, bool bold);

} // namespace ui
