// The search over catalogues built for each case: what it counts, shows and leaves behind.

#include "search_fixture.h"

#include "catalogue/catalogue_store.h"

#include <QFile>
#include <QTemporaryDir>

TEST_F(SearchTest, SeveralMatchesShowTheFirstInTableOrderAndTheNextArrow) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));

    EXPECT_EQ(shown(), (Shown{"1/3", "CD 1", "Échecs", "Un jeu de plateau", false, true,
                              kJeuCritere, 3, 1}));
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"pointer 11", "Label4 1/3", "Picture4 hidden",
                                        "Picture5 shown", "Label5 CD 1", "Label6 Échecs",
                                        "Label8 Un jeu de plateau", "pointer 0"}));
    EXPECT_GE(window.pumps, 3) << "after the hourglass, before the count and at the end";
    EXPECT_TRUE(window.failures.empty());
}

TEST_F(SearchTest, OneMatchHidesBothArrows) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("atlas"));
    EXPECT_EQ(shown(), (Shown{"1/1", "CD 2", "Atlas", "Des cartes du monde", false, false,
                              "Nom like '*atlas*' or Description like '*atlas*'", 1, 1}));
}

TEST_F(SearchTest, NoMatchReadsZeroOfZeroWithEmptyFields) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    press(kNext, kLeft);
    window.pointerChanges.clear();

    search(QStringLiteral("zorglub"));
    EXPECT_EQ(shown(), (Shown{"0/0", "", "", "", false, false,
                              "Nom like '*zorglub*' or Description like '*zorglub*'", 0, 0}));
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));
}

TEST_F(SearchTest, EmptyBoxOnlyFlipsThePointer) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    press(kNext, kLeft);
    const Shown before = shown();
    window.pointerChanges.clear();

    search(QString());
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));

    press(kNext, kLeft);
    EXPECT_EQ(shown().counter, QStringLiteral("3/3")) << "paging goes on through the last result";
}

TEST_F(SearchTest, NewSearchStartsOverAtTheFirstMatch) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    press(kNext, kLeft);
    press(kNext, kLeft);
    ASSERT_EQ(shown().counter, QStringLiteral("3/3"));

    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(), (Shown{"1/3", "CD 1", "Échecs", "Un jeu de plateau", false, true,
                              kJeuCritere, 3, 1}));
}

TEST_F(SearchTest, BlanksAreSearchedForNotTrimmed) {
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

TEST_F(SearchTest, ApostrophesAndWildcardsAreSearchedLiterally) {
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
    EXPECT_TRUE(window.failures.empty());
}

TEST_F(SearchTest, NullFieldsShowEmptyAndTheLabelsAfterThemAreWritten) {
    installCatalogue({{"Tetris", "CD 0", "Rien"},
                      {std::nullopt, "CD 1", "Un jeu sans nom"},
                      {"Jeu sans cd", std::nullopt, std::nullopt}});
    search(QStringLiteral("zzz"));
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(),
              (Shown{"1/2", "CD 1", "", "Un jeu sans nom", false, true, kJeuCritere, 2, 1}));
    press(kNext, kLeft);
    EXPECT_EQ(shown(), (Shown{"2/2", "", "Jeu sans cd", "", true, false, kJeuCritere, 2, 2}));
    EXPECT_TRUE(window.failures.empty());
}

TEST_F(SearchTest, MoreThan32767MatchesAreCountedInFull) {
    installLargeCatalogue();
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(), (Shown{"1/32770", "CD 1", "Jeu 1", "Un jeu de plus", false, true,
                              kJeuCritere, 32770, 1}));

    press(kNext, kRight);
    EXPECT_EQ(shown().counter, QStringLiteral("32770/32770"));
    EXPECT_EQ(shown().nom, QStringLiteral("Jeu 32770"));
    for (int i = 0; i < 3; ++i) {
        press(kPrevious, kLeft);
    }
    EXPECT_EQ(shown().counter, QStringLiteral("32767/32770"));
    EXPECT_EQ(shown().nom, QStringLiteral("Jeu 32767"));
    press(kNext, kLeft);
    EXPECT_EQ(shown().counter, QStringLiteral("32768/32770"));
    EXPECT_EQ(shown().position, 32768);
}

TEST_F(SearchTest, CountingPumpsEventsByTimeNotAfterEveryFind) {
    installLargeCatalogue();
    search(QStringLiteral("zzz")); // the catalogue is read before the count is watched
    window.pumps = 0;
    search(QStringLiteral("jeu"));

    ASSERT_EQ(shown().total, 32770);
    EXPECT_GE(window.pumps, 3) << "the pump runs before and after the count";
    EXPECT_LT(window.pumps, 32770 / 10) << "the pump must not run after each find";
}

// A pasted megabyte of quotes and wildcards is searched in the window's tests.
TEST_F(SearchTest, AMegabyteOfTextIsSearchedWithoutHarm) {
    installCatalogue(kThreeGames);
    const QString one = QString(1024 * 1024, u'a');
    search(one);
    EXPECT_EQ(shown().counter, QStringLiteral("0/0"));
    EXPECT_EQ(shown().critere.size(), 2 * one.size() + 38);
    EXPECT_TRUE(window.failures.empty());
}

TEST_F(SearchTest, ACatalogueReplacedBetweenSearchesIsReadAfresh) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    ASSERT_EQ(shown().counter, QStringLiteral("1/3"));

    installCatalogue({{"Jeu unique", "CD 9", "Remplacé"}});
    search(QStringLiteral("jeu"));
    EXPECT_EQ(shown(),
              (Shown{"1/1", "CD 9", "Jeu unique", "Remplacé", false, false, kJeuCritere, 1, 1}));
}

// The catalogue is read in the reading helper while the search pumps the window's events with
// the hourglass shown. This helper starts reading only once an event has been handled during
// the wait; a search that waited without pumping would see it stall until the watchdog.
TEST_F(SearchTest, TheWindowsEventsRunWhileTheCatalogueIsRead) {
    installCatalogue(kThreeGames);
    const QTemporaryDir gate;
    const QString started = gate.filePath(QStringLiteral("started"));
    const QString handled = gate.filePath(QStringLiteral("handled"));
    const QString reader = gate.filePath(QStringLiteral("gated-reader"));
    {
        QFile script(reader);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\ntouch '" + started + "'\nwhile [ ! -e '" + handled +
                      "' ]; do sleep 0.01; done\nexec '" ORVANE_READER_PROGRAM "' \"$@\"\n")
                         .toUtf8());
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    catalogue::SetCatalogueReaderProgram(reader);

    int pointerWhileReading = -1;
    window.duringPump = [&] {
        if (QFile::exists(started) && !QFile::exists(handled)) {
            pointerWhileReading = window.pointerChanges.back();
            QFile(handled).open(QIODevice::WriteOnly);
        }
    };
    search(QStringLiteral("jeu"));

    EXPECT_TRUE(QFile::exists(handled)) << "no event was handled while the catalogue was read";
    EXPECT_EQ(pointerWhileReading, 11);
    EXPECT_EQ(shown().counter, QStringLiteral("1/3"));
    EXPECT_TRUE(window.failures.empty());
}

TEST_F(SearchTest, DemoCatalogueTwelveMatches) {
    installCsv(DemoCatalogueCsv());
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
    EXPECT_TRUE(window.failures.empty());
}
