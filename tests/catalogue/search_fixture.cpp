#include "search_fixture.h"

#include "catalogue/catalogue_store.h"
#include "catalogue/record_display.h"
#include "catalogue/result_navigation.h"
#include "catalogue/search.h"
#include "platform/app_info.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using catalogue::Arrow;
using catalogue::FieldLabel;

namespace {

QString csvField(const std::optional<std::string>& value) {
    if (!value) {
        return QString();
    }
    QString text = QString::fromStdString(*value);
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

const char* nameOf(FieldLabel label) {
    switch (label) {
    case FieldLabel::Nom:
        return "Label6";
    case FieldLabel::Cd:
        return "Label5";
    case FieldLabel::Description:
        break;
    }
    return "Label8";
}

} // namespace

const std::vector<Entry> kThreeGames = {
    {"Échecs", "CD 1", "Un jeu de plateau"},
    {"Atlas", "CD 2", "Des cartes du monde"},
    {"Jeux de mots", "CD 3", "Mots croisés"},
    {"Dames", "CD 4", "Le JEU de dames"},
};

const QString kJeuCritere = QStringLiteral("Nom like '*jeu*' or Description like '*jeu*'");

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

QString DemoCatalogueCsv() {
    QFile demo(QStringLiteral(ORVANE_DEMO_CSV));
    EXPECT_TRUE(demo.open(QIODevice::ReadOnly));
    return QString::fromUtf8(demo.readAll());
}

void UseTestCatalogueReader() {
    catalogue::SetCatalogueReaderProgram(QStringLiteral(ORVANE_READER_PROGRAM));
    catalogue::SetCatalogueReadQuietLimit(std::chrono::minutes(2));
}

void FakeWindow::SetCounter(const QString& text) {
    calls.push_back("Label4 " + text.left(40).toStdString());
    counter = text;
}

QString FakeWindow::FieldShown(FieldLabel label) const {
    switch (label) {
    case FieldLabel::Nom:
        return nom;
    case FieldLabel::Cd:
        return cd;
    case FieldLabel::Description:
        break;
    }
    return description;
}

void FakeWindow::ShowField(FieldLabel label, const QString& text) {
    std::string call = nameOf(label);
    call += ' ';
    call += text.left(40).toStdString();
    calls.push_back(call);
    (label == FieldLabel::Nom ? nom : label == FieldLabel::Cd ? cd : description) = text;
}

bool FakeWindow::ArrowShown(Arrow arrow) const {
    return arrow == Arrow::Previous ? previous : next;
}

void FakeWindow::ShowArrow(Arrow arrow, bool shown) {
    calls.push_back(std::string(arrow == Arrow::Previous ? "Picture4 " : "Picture5 ") +
                    (shown ? "shown" : "hidden"));
    (arrow == Arrow::Previous ? previous : next) = shown;
}

void FakeWindow::SetMousePointer(int pointer) {
    calls.push_back("pointer " + std::to_string(pointer));
    pointerChanges.push_back(pointer);
}

void FakeWindow::Beep() {
    calls.push_back("beep");
    ++beeps;
}

void FakeWindow::DoEvents() {
    ++pumps;
    if (duringPump) {
        duringPump();
    }
}

void FakeWindow::lecture() {
    calls.push_back("lecture");
    catalogue::ShowRecord(*this, result_.data);
}

void FakeWindow::ReportFailure(const QString& message) {
    calls.push_back("failure");
    failures.push_back(message);
}

void SearchTest::SetUp() {
    UseTestCatalogueReader();
    const QString folder = folder_.path();
    platform::SetAppPathSource([folder] { return folder; });
}

void SearchTest::TearDown() {
    platform::SetAppPathSource({});
}

QString SearchTest::catalogueFile() const {
    return folder_.path() + QDir::separator() + QStringLiteral("base.MDB");
}

void SearchTest::installCatalogue(const std::vector<Entry>& entries) {
    installCsv(CatalogueCsv(entries));
}

void SearchTest::installCsv(const QString& csv) {
    BuildCatalogue(csv, catalogueFile());
}

void SearchTest::installLargeCatalogue() {
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

void SearchTest::search(const QString& text) {
    window.typed = text;
    catalogue::Search(window, result);
}

void SearchTest::press(Arrow arrow, std::int16_t button) {
    catalogue::PressArrow(window, result, arrow, button);
}

Shown SearchTest::shown() const {
    return {window.counter, window.cd,      window.nom,   window.description, window.previous,
            window.next,    result.critere, result.total, result.position};
}
