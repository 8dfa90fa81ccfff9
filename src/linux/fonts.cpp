#include "linux/fonts.h"

#include <QStringList>

namespace ui {

namespace {
const QString kDesignFamily = QStringLiteral("MS Sans Serif");
}

void InstallFontSubstitutions() {
    const QStringList replacements = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
    QFont::insertSubstitutions(kDesignFamily, replacements);
}

QFont DesignFont(qreal pointSize, bool bold) {
    QFont font(kDesignFamily);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace ui
