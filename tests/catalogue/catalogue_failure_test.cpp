// A catalogue that cannot be searched: a French box with the exclamation icon names the file
// and what is wrong, and the window keeps the previous result, which the arrows still page.

#include "search_form_test.h"

#include "app/module3.h"
#include "app/result_guard.h"
#include "catalogue/catalogue_error.h"
#include "platform/message_box.h"
#include "ui/caption_label.h"
#include "ui/data_control_widget.h"
#include "ui/skin_picture.h"

#include <QDir>
#include <QFile>

namespace {

const std::vector<Entry> kGames = {
    {"Échecs", "CD 1", "Un jeu de plateau"},
    {"Atlas", "CD 2", "Des cartes du monde"},
    {"Jeux de mots", "CD 3", "Mots croisés"},
    {"Dames", "CD 4", "Le jeu de dames"},
};

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

class CatalogueFailureTest : public SearchFormTest {
protected:
    // A search of jeu paged to its second match: what every failure must leave as it is.
    void showSecondOfThree() {
        installCatalogue(kGames);
        search(QStringLiteral("jeu"));
        press(form->Picture5, Qt::LeftButton);
        ASSERT_EQ(shown().counter, QStringLiteral("2/3"));
        pointerChanges.clear();
        beeps = 0;
    }

    // The failed search changed nothing, said why in one box, and the arrows still page.
    void expectFailureKeptTheResult(const Shown& before, const QString& problem) {
        EXPECT_EQ(shown(), before);
        EXPECT_EQ(form->Data1->DatabaseName, catalogueFile());
        EXPECT_EQ(form->Data1->RecordSource, QStringLiteral("Index"));
        EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].style, platform::vbOKOnly | platform::vbExclamation);
        EXPECT_TRUE(boxes[0].prompt.contains(catalogueFile())) << boxes[0].prompt.toStdString();
        EXPECT_TRUE(boxes[0].prompt.contains(problem)) << boxes[0].prompt.toStdString();

        press(form->Picture5, Qt::LeftButton);
        EXPECT_EQ(shown().counter, QStringLiteral("3/3"));
        EXPECT_EQ(shown().nom, QStringLiteral("Dames"));
        press(form->Picture4, Qt::RightButton);
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

TEST_F(CatalogueFailureTest, FirstSearchFailingLeavesTheWindowBlank) {
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(), Shown{});
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].style, platform::vbOKOnly | platform::vbExclamation);

    installCatalogue(kGames);
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown().counter, QStringLiteral("1/3")) << "the next search tries the file again";
}

// The arrows page the kept recordset, so what is left to fail there is the find itself: here
// the filter is spoilt behind the window's back.
TEST_F(CatalogueFailureTest, MoveThatFailsChangesNothingButTheBeep) {
    showSecondOfThree();
    const QString critere = Module3::critere;
    Module3::critere = QStringLiteral("Nom like '[jeu'");
    const Shown before = shown();

    press(form->Picture5, Qt::LeftButton);
    press(form->Picture4, Qt::RightButton);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(pointerChanges, (std::vector<int>{0, 11, 0}));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].style, platform::vbOKOnly | platform::vbExclamation);
    EXPECT_TRUE(boxes[1].prompt.contains(catalogueFile())) << boxes[1].prompt.toStdString();

    Module3::critere = critere;
    press(form->Picture5, Qt::LeftButton);
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
        form->Data1->Refresh();
        form->Data1->Recordset().FindFirst(Module3::critere);
        Module3::position = 7;
        form->Label6->setCaption(QStringLiteral("changé"));
        form->Picture4->hide();
    };

    EXPECT_FALSE(catalogue::RunKeepingResult(*form, [&] {
        spoil();
        throw catalogue::CatalogueError("Le fichier est endommagé.");
    }));
    EXPECT_EQ(shown(), before);
    ASSERT_EQ(boxes.size(), 1u);

    EXPECT_THROW(catalogue::RunKeepingResult(*form,
                                             [&] {
                                                 spoil();
                                                 throw std::runtime_error("autre échec");
                                             }),
                 std::runtime_error);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(boxes.size(), 1u) << "other failures are reported by the caller";

    press(form->Picture5, Qt::LeftButton);
    EXPECT_EQ(shown().counter, QStringLiteral("3/3"));
    EXPECT_EQ(shown().nom, QStringLiteral("Dames"));
}
