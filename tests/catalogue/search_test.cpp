// The search as the user meets it: Enter in the search box over catalogues built for each case.

#include "search_form_test.h"

#include "app/module3.h"
#include "catalogue/search_busy.h"
#include "ui/caption_label.h"
#include "ui/search_box.h"
#include "ui/skin_picture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

namespace {

const std::vector<Entry> kThreeGames = {
    {"Échecs", "CD 1", "Un jeu de plateau"},
    {"Atlas", "CD 2", "Des cartes du monde"},
    {"Jeux de mots", "CD 3", "Mots croisés"},
    {"Dames", "CD 4", "Le JEU de dames"},
};

const QString kJeuCritere = QStringLiteral("Nom like '*jeu*' or Description like '*jeu*'");

} // namespace

TEST_F(SearchFormTest, SeveralMatchesShowTheFirstInTableOrderAndTheNextArrow) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));

    EXPECT_EQ(shown(), (Shown{"1/3", "CD 1", "Échecs", "Un jeu de plateau", false, true,
                              kJeuCritere, 3, 1}));
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form->Text1->text(), QStringLiteral("jeu")) << "the box keeps its text";
}

TEST_F(SearchFormTest, OneMatchHidesBothArrows) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("atlas"));
    EXPECT_EQ(shown(), (Shown{"1/1", "CD 2", "Atlas", "Des cartes du monde", false, false,
                              "Nom like '*atlas*' or Description like '*atlas*'", 1, 1}));
}

TEST_F(SearchFormTest, NoMatchReadsZeroOfZeroWithEmptyFields) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    press(form->Picture5, Qt::LeftButton);
    pointerChanges.clear();

    search(QStringLiteral("zorglub"));
    EXPECT_EQ(shown(), (Shown{"0/0", "", "", "", false, false,
                              "Nom like '*zorglub*' or Description like '*zorglub*'", 0, 0}));
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
}

TEST_F(SearchFormTest, EmptyBoxOnlyFlipsThePointer) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    press(form->Picture5, Qt::LeftButton);
    const Shown before = shown();
    pointerChanges.clear();

    search(QString());
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));

    press(form->Picture5, Qt::LeftButton);
    EXPECT_EQ(shown().counter, QStringLiteral("3/3")) << "paging goes on through the last result";
}

TEST_F(SearchFormTest, NewSearchStartsOverAtTheFirstMatch) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    press(form->Picture5, Qt::LeftButton);
    press(form->Picture5, Qt::LeftButton);
    ASSERT_EQ(shown().counter, QStringLiteral("3/3"));

    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(), (Shown{"1/3", "CD 1", "Échecs", "Un jeu de plateau", false, true,
                              kJeuCritere, 3, 1}));
}

TEST_F(SearchFormTest, EnterSearchesWhateverTheModifiersOtherKeysNever) {
    installCatalogue(kThreeGames);
    form->Text1->setText(QStringLiteral("jeu"));
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Space}) {
        QTest::keyClick(form->Text1, key);
    }
    EXPECT_TRUE(pointerChanges.empty());
    EXPECT_EQ(shown().total, 0);

    search(QStringLiteral("jeu"), Qt::ShiftModifier);
    EXPECT_EQ(shown().counter, QStringLiteral("1/3"));
    search(QStringLiteral("atlas"), Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(shown().counter, QStringLiteral("1/1"));
    form->Text1->setText(QStringLiteral("jeu"));
    QTest::keyClick(form->Text1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(shown().counter, QStringLiteral("1/3"));
}

TEST_F(SearchFormTest, BlanksAreSearchedForNotTrimmed) {
    installCatalogue({{"Jeu de go", "CD 1", "Pierres"},
                      {"Puzzle", "CD 2", "Deux  espaces"},
                      {"Cartes", "CD 3", "Sans"}});
    search(QStringLiteral(" "));
    EXPECT_EQ(shown().counter, QStringLiteral("1/2"));
    search(QStringLiteral("  "));
    EXPECT_EQ(shown().counter, QStringLiteral("1/1"));
    EXPECT_EQ(shown().nom, QStringLiteral("Puzzle"));
    EXPECT_EQ(shown().critere, QStringLiteral("Nom like '*  *' or Description like '*  *'"));
}

TEST_F(SearchFormTest, ApostrophesAndWildcardsAreSearchedLiterally) {
    installCatalogue({{"L'eau vive", "CD 1", "Rivières"},
                      {"Leau", "CD 2", "Sans apostrophe"},
                      {"Étoile", "CD 3", "Note 5*"},
                      {"Question", "CD 4", "Pourquoi ?"},
                      {"Numéro", "CD 5", "Le #1"},
                      {"Crochet", "CD 6", "Tableau [a]"},
                      {"Chiffre 7", "CD 7", "a1b"}});

    search(QStringLiteral("l'eau"));
    EXPECT_EQ(shown().critere,
              QStringLiteral("Nom like '*l''eau*' or Description like '*l''eau*'"));
    EXPECT_EQ(shown().counter, QStringLiteral("1/1"));
    EXPECT_EQ(shown().nom, QStringLiteral("L'eau vive"));

    const std::pair<QString, QString> literal[] = {
        {"*", "Étoile"}, {"?", "Question"}, {"#", "Numéro"}, {"[a]", "Crochet"}, {"[", "Crochet"}};
    for (const auto& [typed, found] : literal) {
        search(typed);
        EXPECT_EQ(shown().counter, QStringLiteral("1/1")) << typed.toStdString();
        EXPECT_EQ(shown().nom, found) << typed.toStdString();
    }
    search(QStringLiteral("a#b"));
    EXPECT_EQ(shown().counter, QStringLiteral("0/0")) << "# is not a digit wildcard";
    search(QStringLiteral("'"));
    EXPECT_EQ(shown().counter, QStringLiteral("1/1"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SearchFormTest, NullFieldsShowEmptyAndTheLabelsAfterThemAreWritten) {
    installCatalogue({{"Tetris", "CD 0", "Rien"},
                      {std::nullopt, "CD 1", "Un jeu sans nom"},
                      {"Jeu sans cd", std::nullopt, std::nullopt}});
    search(QStringLiteral("zzz"));
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(),
              (Shown{"1/2", "CD 1", "", "Un jeu sans nom", false, true, kJeuCritere, 2, 1}));
    press(form->Picture5, Qt::LeftButton);
    EXPECT_EQ(shown(), (Shown{"2/2", "", "Jeu sans cd", "", true, false, kJeuCritere, 2, 2}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SearchFormTest, MoreThan32767MatchesAreCountedInFull) {
    installLargeCatalogue();
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(), (Shown{"1/32770", "CD 1", "Jeu 1", "Un jeu de plus", false, true,
                              kJeuCritere, 32770, 1}));

    press(form->Picture5, Qt::RightButton);
    EXPECT_EQ(shown().counter, QStringLiteral("32770/32770"));
    EXPECT_EQ(shown().nom, QStringLiteral("Jeu 32770"));
    for (int i = 0; i < 3; ++i) {
        press(form->Picture4, Qt::LeftButton);
    }
    EXPECT_EQ(shown().counter, QStringLiteral("32767/32770"));
    EXPECT_EQ(shown().nom, QStringLiteral("Jeu 32767"));
    press(form->Picture5, Qt::LeftButton);
    EXPECT_EQ(shown().counter, QStringLiteral("32768/32770"));
    EXPECT_EQ(shown().position, 32768);
}

TEST_F(SearchFormTest, CountingPumpsEventsByTimeNotAfterEveryFind) {
    installLargeCatalogue();
    search(QStringLiteral("zzz")); // the catalogue is read before the count is watched
    int pumps = 0;
    QTimer everyPump;
    everyPump.setInterval(0);
    QObject::connect(&everyPump, &QTimer::timeout, [&pumps] { ++pumps; });
    everyPump.start();
    search(QStringLiteral("jeu"));
    everyPump.stop();

    ASSERT_EQ(shown().total, 32770);
    EXPECT_GE(pumps, 2) << "the pump runs before and after the count";
    EXPECT_LT(pumps, 32770 / 10) << "the pump must not run after each find";
}

TEST_F(SearchFormTest, EnterAndArrowsAreIgnoredWhileASearchRuns) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    pointerChanges.clear();
    beeps = 0;

    bool seenRunning = false;
    bool closeSpotLit = false;
    QTimer::singleShot(0, form.get(), [this, &seenRunning, &closeSpotLit] {
        seenRunning = catalogue::SearchRunning();
        QTest::mouseMove(form.get(), QPoint(286, 72));
        closeSpotLit = !form->Picture2->isHidden();
        form->Text1->setText(QStringLiteral("atlas"));
        QTest::keyClick(form->Text1, Qt::Key_Return);
        press(form->Picture5, Qt::LeftButton);
        press(form->Picture5, Qt::RightButton);
    });
    QTest::keyClick(form->Text1, Qt::Key_Return);

    EXPECT_TRUE(seenRunning);
    EXPECT_TRUE(closeSpotLit) << "the hot spots keep working";
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    EXPECT_FALSE(catalogue::SearchRunning());
    EXPECT_EQ(shown().critere, QStringLiteral("Nom like '*atlas*' or Description like '*atlas*'"))
        << "the running search reads the box after its first pump";
    EXPECT_EQ(shown().counter, QStringLiteral("1/1"));
}

TEST_F(SearchFormTest, AMegabytePasteIsSearchedWithoutHarm) {
    installCatalogue(kThreeGames);
    QString pasted;
    const QString piece = QStringLiteral("l'eau [*?#] jeu ");
    while (pasted.size() < 1024 * 1024) {
        pasted += piece;
    }
    QGuiApplication::clipboard()->setText(pasted);
    form->Text1->clear();
    form->Text1->paste();
    ASSERT_EQ(form->Text1->text().size(), pasted.size());
    QTest::keyClick(form->Text1, Qt::Key_Return);
    EXPECT_EQ(shown().counter, QStringLiteral("0/0"));
    EXPECT_GT(shown().critere.size(), 2 * pasted.size());
    EXPECT_TRUE(boxes.empty());

    const QString one = QString(1024 * 1024, u'a');
    search(one);
    EXPECT_EQ(shown().counter, QStringLiteral("0/0"));
    EXPECT_EQ(shown().critere.size(), 2 * one.size() + 38);
}

TEST_F(SearchFormTest, ACatalogueReplacedBetweenSearchesIsReadAfresh) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    ASSERT_EQ(shown().counter, QStringLiteral("1/3"));

    installCatalogue({{"Jeu unique", "CD 9", "Remplacé"}});
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(),
              (Shown{"1/1", "CD 9", "Jeu unique", "Remplacé", false, false, kJeuCritere, 1, 1}));
}

TEST_F(SearchFormTest, DemoCatalogueTwelveMatches) {
    installDemoCatalogue();
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(), (Shown{"1/12", "CD 2", "Maître des échecs 3",
                              "Un jeu d'échecs pour tous les niveaux, de l'initiation à la "
                              "compétition, avec 500 parties célèbres.",
                              false, true, kJeuCritere, 12, 1}));
    search(QStringLiteral("l'eau"));
    EXPECT_EQ(shown().counter, QStringLiteral("1/1"));
    EXPECT_EQ(shown().nom, QStringLiteral("L'eau et la vie"));
    search(QStringLiteral("Géographie de la France"));
    EXPECT_EQ(shown().counter, QStringLiteral("1/1"));
    EXPECT_EQ(shown().cd, QStringLiteral("CD 17"));
    EXPECT_EQ(shown().description, QString()) << "a null description";
    EXPECT_TRUE(boxes.empty());
}
