#include "search_form_test.h"

#include "app/module3.h"
#include "catalogue/catalogue_store.h"
#include "ui/caption_label.h"
#include "ui/search_box.h"
#include "ui/skin_picture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString csvField(const std::optional<std::string>& value) {
    if (!value) {
        return QString();
    }
    QString text = QString::fromStdString(*value);
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

} // namespace

void PrintTo(const Shown& s, std::ostream* out) {
    *out << "{counter \"" << s.counter.toStdString() << "\", cd \"" << s.cd.toStdString()
         << "\", nom \"" << s.nom.toStdString() << "\", description \""
         << s.description.left(60).toStdString() << "\", previous " << s.previous << ", next "
         << s.next << ", critere \"" << s.critere.left(80).toStdString() << "\", total " << s.total
         << ", position " << s.position << "}";
}

QString CatalogueCsv(const std::vector<Entry>& entries) {
    QString csv = QStringLiteral("Nom,cd,Description\n");
    for (const Entry& entry : entries) {
        csv += csvField(entry.nom) + u',' + csvField(entry.cd) + u',' +
               csvField(entry.description) + u'\n';
    }
    return csv;
}

void BuildCatalogue(const QString& csv, const QString& mdbPath) {
    QTemporaryDir work;
    const QString csvPath = work.filePath(QStringLiteral("catalogue.csv"));
    QFile file(csvPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(csv.toUtf8());
    file.close();
    QProcess builder;
    builder.start(QStringLiteral(ORVANE_CATALOGUE_TOOL), {csvPath, mdbPath});
    ASSERT_TRUE(builder.waitForFinished(120000));
    ASSERT_EQ(builder.exitCode(), 0) << builder.readAllStandardError().toStdString();
}

void SearchFormTest::SetUp() {
    FormTest::SetUp();
    catalogue::SetCatalogueReaderProgram(QStringLiteral(ORVANE_READER_PROGRAM));
    Module3::critere.clear();
    Module3::total = 0;
    Module3::position = 0;
    openForm();
}

QString SearchFormTest::catalogueFile() const {
    return programFolder() + QDir::separator() + QStringLiteral("base.MDB");
}

void SearchFormTest::installCatalogue(const std::vector<Entry>& entries) {
    installCsv(CatalogueCsv(entries));
}

void SearchFormTest::installCsv(const QString& csv) {
    BuildCatalogue(csv, catalogueFile());
}

void SearchFormTest::installDemoCatalogue() {
    QFile demo(QStringLiteral(ORVANE_DEMO_CSV));
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    installCsv(QString::fromUtf8(demo.readAll()));
}

void SearchFormTest::installLargeCatalogue() {
    static QTemporaryDir kept;
    static const QString built = [] {
        std::vector<Entry> entries;
        for (int i = 0; i < 32770; ++i) {
            const std::string number = std::to_string(i + 1);
            entries.push_back({"Jeu " + number, "CD " + number, "Un jeu de plus"});
            if (i % 1000 == 0) {
                entries.push_back({"Atlas " + number, "CD " + number, "Cartes"});
            }
        }
        const QString path = kept.filePath(QStringLiteral("large.MDB"));
        BuildCatalogue(CatalogueCsv(entries), path);
        return path;
    }();
    QFile::remove(catalogueFile());
    ASSERT_TRUE(QFile::copy(built, catalogueFile()));
}

void SearchFormTest::search(const QString& text, Qt::KeyboardModifiers modifiers) {
    form->Text1->setText(text);
    QTest::keyClick(form->Text1, Qt::Key_Return, modifiers);
}

void SearchFormTest::press(QWidget* arrow, Qt::MouseButton button) {
    QTest::mousePress(arrow, button, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(arrow, button, Qt::NoModifier, QPoint(5, 5));
}

Shown SearchFormTest::shown() const {
    return {form->Label4->caption(),
            form->Label5->caption(),
            form->Label6->caption(),
            form->Label8->caption(),
            !form->Picture4->isHidden(),
            !form->Picture5->isHidden(),
            Module3::critere,
            Module3::total,
            Module3::position};
}
