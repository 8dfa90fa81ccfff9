// The filter's Unicode tables against Qt's for every code point: case folding, letters and
// digits, and blanks, as names and texts of filters use them.

#include "catalogue/filter/fold_case.h"
#include "catalogue/filter/unicode_tables.h"

#include <QChar>
#include <QString>
#include <gtest/gtest.h>

using namespace catalogue::filter;

TEST(UnicodeTables, AgreeWithQtForEveryCodePoint) {
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        ASSERT_EQ(FoldCodePoint(c), QChar::toCaseFolded(c)) << std::hex << std::uint32_t(c);
        ASSERT_EQ(IsLetterOrNumber(c), QChar::isLetterOrNumber(c)) << std::hex << std::uint32_t(c);
        ASSERT_EQ(IsSpace(c), QChar::isSpace(c)) << std::hex << std::uint32_t(c);
    }
}

TEST(UnicodeTables, FoldCaseAgreesWithQtForEveryCodePoint) {
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const QByteArray text = QString::fromUcs4(&c, 1).toUtf8();
        const QByteArray qtFolded = QString::fromUcs4(&c, 1).toCaseFolded().toUtf8();
        const std::string folded = FoldCase(std::string_view(text.constData(), text.size()));
        ASSERT_EQ(folded, qtFolded.toStdString()) << "code point " << std::hex << std::uint32_t(c);
    }
}
