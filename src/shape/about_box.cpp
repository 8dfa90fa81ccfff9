#include "shape/about_box.h"

#include "orvane_version.h"

#include <QStringList>

namespace shape {

QString AboutBoxTitle() {
    return QStringLiteral("L'Orvane Zelkis");
}

QString AboutBoxText() {
    const QString twoReturns = QStringLiteral("\r\r");
    const QString oneReturn = QStringLiteral("\r");
    const QStringList spaced = {
        QStringLiteral("Orvane Zelkis, © 2000 l'atelier Orvane : conception, graphismes et "
                       "programmation."),
        QStringLiteral("Le catalogue de nos CD-ROM : jeux, titres éducatifs, musique et "
                       "logiciels."),
        QStringLiteral("Tapez un mot, appuyez sur Entrée, puis parcourez les fiches avec les "
                       "flèches."),
    };
    const QStringList plain = {
        QStringLiteral("Clic gauche sur une flèche : fiche précédente ou suivante."),
        QStringLiteral("Clic droit sur une flèche : première ou dernière fiche."),
        QStringLiteral("Version ") + QString::fromLatin1(kOrvaneVersion),
        QStringLiteral("Merci de votre visite !"),
    };
    QString text;
    for (const QString& line : spaced) {
        text += line + twoReturns;
    }
    for (const QString& line : plain) {
        text += line + oneReturn;
    }
    return text;
}

} // namespace shape
