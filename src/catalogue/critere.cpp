#include "catalogue/critere.h"

namespace catalogue {

QString LiteralLikeText(const QString& typed) {
    QString literal;
    literal.reserve(typed.size() + typed.size() / 4);
    for (const QChar c : typed) {
        switch (c.unicode()) {
        case u'\'':
            literal += QStringLiteral("''");
            break;
        case u'[':
        case u'*':
        case u'?':
        case u'#':
            literal += u'[';
            literal += c;
            literal += u']';
            break;
        default:
            literal += c;
            break;
        }
    }
    return literal;
}

QString BuildCritere(const QString& typed) {
    const QString text = LiteralLikeText(typed);
    QString critere;
    critere.reserve(2 * text.size() + 48);
    critere += QStringLiteral("Nom like '*");
    critere += text;
    critere += QStringLiteral("*'");
    critere += QStringLiteral(" or Description like '*");
    critere += text;
    critere += QStringLiteral("*'");
    return critere;
}

} // namespace catalogue
