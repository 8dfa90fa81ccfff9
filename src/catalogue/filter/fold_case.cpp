#include "catalogue/filter/fold_case.h"

#include <QChar>
#include <QString>

#include <algorithm>

namespace catalogue::filter {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::string FoldCase(std::string_view utf8) {
    // Most catalogue text is plain ASCII: fold it without the round trip through UTF-16.
    if (isAscii(utf8)) {
        std::string folded(utf8);
        for (char& c : folded) {
            if (c >= 'A' && c <= 'Z') {
                c = char(c - 'A' + 'a');
            }
        }
        return folded;
    }
    const QByteArray folded =
        QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toCaseFolded().toUtf8();
    return std::string(folded.constData(), std::size_t(folded.size()));
}

char32_t FoldCodePoint(char32_t codePoint) {
    return QChar::toCaseFolded(codePoint);
}

} // namespace catalogue::filter
