// A catalogue that cannot be searched: the report names the file and what is wrong, and the
// window keeps the previous result, which the arrows still page.

#include "search_fixture.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/catalogue_store.h"
#include "catalogue/result_guard.h"
#include "damage/damaged_catalogues.h"

#include <QDir>
#include <QFile>

namespace {

// Rewrites the first occurrence of a name stored in UTF-16 in the file with another name of the
// same length.
void renameInFile(const QString& path, const QString& from, const QString& to) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    const auto utf16 = [](const QString& text) {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    };
    const qsizetype at = bytes.indexOf(utf16(from));
    ASSERT_GE(at, 0);
    bytes.replace(at, from.size() * 2, utf16(to));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile::remove(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class CatalogueFailureTest : public SearchTest {
protected:
    // A search of jeu paged to its second match: what every failure must leave as it is.
    void showSecondOfThree() {
        installCatalogue(kThreeGames);
        search(QStringLiteral("jeu"));
        press(kNext, kLeft);
        ASSERT_EQ(shown().counter, QStringLiteral("2/3"));
        window.pointerChanges.clear();
        window.beeps = 0;
    }

    // The failed search changed nothing, said why once, and the arrows still page.
    void expectFailureKeptTheResult(const Shown& before, const QString& problem) {
        EXPECT_EQ(shown(), before);
        EXPECT_EQ(result.data.DatabaseName, catalogueFile());
        EXPECT_EQ(result.data.RecordSource, QStringLiteral("Index"));
        EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));
        ASSERT_EQ(window.failures.size(), 1u);
        EXPECT_TRUE(window.failures[0].contains(catalogueFile()))
            << window.failures[0].toStdString();
        EXPECT_TRUE(window.failures[0].contains(problem)) << window.failures[0].toStdString();

        press(kNext, kLeft);
        EXPECT_EQ(shown().counter, QStringLiteral("3/3"));
        EXPECT_EQ(shown().nom, QStringLiteral("Dames"));
        press(kPrevious, kRight);
        EXPECT_EQ(shown().counter, QStringLiteral("1/3"));
        EXPECT_EQ(shown().nom, QStringLiteral("Échecs"));
    }
};

TEST_F(CatalogueFailureTest, MissingFile) {
    showSecondOfThree();
    const Shown before = shown();
    ASSERT_TRUE(QFile::remove(catalogueFile()));
    search(QStringLiteral("atlas"));
    expectFailureKeptTheResult(before, QStringLiteral("introuvable"));
}

TEST_F(CatalogueFailureTest, FileThatIsNoCatalogue) {
    showSecondOfThree();
    const Shown before = shown();
    writeFile(catalogueFile(), QByteArray(8192, 'x'));
    search(QStringLiteral("atlas"));
    expectFailureKeptTheResult(before, QStringLiteral("n'est pas une base"));
}

TEST_F(CatalogueFailureTest, TruncatedCatalogue) {
    showSecondOfThree();
    const Shown before = shown();
    QFile file(catalogueFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(6000);
    file.close();
    writeFile(catalogueFile(), head);
    search(QStringLiteral("atlas"));
    expectFailureKeptTheResult(before, QStringLiteral("endommagé"));
}

TEST_F(CatalogueFailureTest, NoTableIndex) {
    showSecondOfThree();
    const Shown before = shown();
    renameInFile(catalogueFile(), QStringLiteral("Index"), QStringLiteral("Indey"));
    search(QStringLiteral("atlas"));
    expectFailureKeptTheResult(before, QStringLiteral("table «\u00a0Index\u00a0» est absente"));
}

TEST_F(CatalogueFailureTest, MissingField) {
    showSecondOfThree();
    const Shown before = shown();
    renameInFile(catalogueFile(), QStringLiteral("cd"), QStringLiteral("ce"));
    search(QStringLiteral("atlas"));
    expectFailureKeptTheResult(before, QStringLiteral("champ «\u00a0cd\u00a0» est absent"));
}

// Rows that the Jet library hands over twice are damage, never twice the matches. The same
// search of the unchanged file is refused again at once, without reading it anew.
TEST_F(CatalogueFailureTest, RowsHandedOverTwiceAreRefusedAndTheRefusalKept) {
    showSecondOfThree();
    const Shown before = shown();
    QFile file(catalogueFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string good = file.readAll().toStdString();
    file.close();
    writeFile(catalogueFile(), QByteArray::fromStdString(damage::ListDataPageTwice(good, 4)));
    search(QStringLiteral("atlas"));
    expectFailureKeptTheResult(before, QStringLiteral("plus de lignes qu'elle n'en déclare"));

    const std::size_t reads = catalogue::CatalogueReadCount();
    search(QStringLiteral("atlas"));
    EXPECT_EQ(catalogue::CatalogueReadCount(), reads);
    ASSERT_EQ(window.failures.size(), 2u);
    EXPECT_EQ(window.failures[1], window.failures[0]);
}

TEST_F(CatalogueFailureTest, FirstSearchFailingLeavesTheWindowBlank) {
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(), Shown{});
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));
    ASSERT_EQ(window.failures.size(), 1u);
    EXPECT_TRUE(window.failures[0].contains(catalogueFile())) << window.failures[0].toStdString();

    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown().counter, QStringLiteral("1/3")) << "the next search tries the file again";
}

// The arrows page the kept recordset, so what is left to fail there is the find itself: here
// the filter is spoilt behind the window's back.
TEST_F(CatalogueFailureTest, MoveThatFailsChangesNothingButTheBeep) {
    showSecondOfThree();
    const QString critere = result.critere;
    result.critere = QStringLiteral("Nom like '[jeu'");
    const Shown before = shown();

    press(kNext, kLeft);
    press(kPrevious, kRight);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(window.beeps, 2);
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{0, 11, 0}));
    ASSERT_EQ(window.failures.size(), 2u);
    EXPECT_TRUE(window.failures[1].contains(catalogueFile())) << window.failures[1].toStdString();

    result.critere = critere;
    press(kNext, kLeft);
    EXPECT_EQ(shown().counter, QStringLiteral("3/3"));
    EXPECT_EQ(shown().nom, QStringLiteral("Dames"));
}

// A failure may come after the data control already holds the recordset of the new catalogue:
// the previous one is put back, so the arrows page through the result they belong to.
TEST_F(CatalogueFailureTest, FailureAfterARefreshPutsBackThePreviousRecordset) {
    showSecondOfThree();
    const Shown before = shown();
    installCatalogue({{"Jeu unique", "CD 9", "Remplacé"}});
    const auto spoil = [this] {
        result.data.Refresh();
        result.data.Recordset().FindFirst(result.critere);
        result.position = 7;
        window.ShowField(catalogue::FieldLabel::Nom, QStringLiteral("changé"));
        window.ShowArrow(catalogue::Arrow::Previous, false);
    };

    EXPECT_FALSE(catalogue::RunKeepingResult(window, result, [&] {
        spoil();
        throw catalogue::CatalogueError("Le fichier est endommagé.");
    }));
    EXPECT_EQ(shown(), before);
    ASSERT_EQ(window.failures.size(), 1u);

    EXPECT_THROW(catalogue::RunKeepingResult(window, result,
                                             [&] {
                                                 spoil();
                                                 throw std::runtime_error("autre échec");
                                             }),
                 std::runtime_error);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(window.failures.size(), 1u) << "other failures are reported by the caller";

    press(kNext, kLeft);
    EXPECT_EQ(shown().counter, QStringLiteral("3/3"));
    EXPECT_EQ(shown().nom, QStringLiteral("Dames"));
}
