// The search over catalogues built for each case: what it counts, shows and leaves behind.

#include "search_fixture.h"

#include "catalogue/catalogue_store.h"

#include <filesystem>
#include <fstream>

TEST_F(SearchTest, SeveralMatchesShowTheFirstInTableOrderAndTheNextArrow) {
    installCatalogue(kThreeGames);
    search(std::string("jeu"));

    EXPECT_EQ(shown(), (Shown{"1/3", "CD 1", "Échecs", "Un jeu de plateau", false, true,
                              kJeuCritere, 3, 1}));
    EXPECT_EQ(WithoutPumps(window.calls),
              (std::vector<std::string>{"MousePointer=11", "Label4.Caption=1/3",
                                        "Picture4.Visible=0", "Picture5.Visible=1",
                                        "Label5.Caption=CD 1", "Label6.Caption=Échecs",
                                        "Label8.Caption=Un jeu de plateau", "MousePointer=0"}));
    EXPECT_GE(window.pumps, 3) << "after the hourglass, before the count and at the end";
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SearchTest, OneMatchHidesBothArrows) {
    installCatalogue(kThreeGames);
    search(std::string("atlas"));
    EXPECT_EQ(shown(), (Shown{"1/1", "CD 2", "Atlas", "Des cartes du monde", false, false,
                              "Nom like '*atlas*' or Description like '*atlas*'", 1, 1}));
}

TEST_F(SearchTest, NoMatchReadsZeroOfZeroWithEmptyFields) {
    installCatalogue(kThreeGames);
    search(std::string("jeu"));
    press(kNext, kLeft);
    window.pointerChanges.clear();

    search(std::string("zorglub"));
    EXPECT_EQ(shown(), (Shown{"0/0", "", "", "", false, false,
                              "Nom like '*zorglub*' or Description like '*zorglub*'", 0, 0}));
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));
}

TEST_F(SearchTest, EmptyBoxOnlyFlipsThePointer) {
    installCatalogue(kThreeGames);
    search(std::string("jeu"));
    press(kNext, kLeft);
    const Shown before = shown();
    window.pointerChanges.clear();

    search(std::string());
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));

    press(kNext, kLeft);
    EXPECT_EQ(shown().counter, std::string("3/3")) << "paging goes on through the last result";
}

TEST_F(SearchTest, NewSearchStartsOverAtTheFirstMatch) {
    installCatalogue(kThreeGames);
    search(std::string("jeu"));
    press(kNext, kLeft);
    press(kNext, kLeft);
    ASSERT_EQ(shown().counter, std::string("3/3"));

    search(std::string("jeu"));
    EXPECT_EQ(shown(), (Shown{"1/3", "CD 1", "Échecs", "Un jeu de plateau", false, true,
                              kJeuCritere, 3, 1}));
}

TEST_F(SearchTest, BlanksAreSearchedForNotTrimmed) {
    installCatalogue({{"Jeu de go", "CD 1", "Pierres"},
                      {"Puzzle", "CD 2", "Deux  espaces"},
                      {"Cartes", "CD 3", "Sans"}});
    search(std::string(" "));
    EXPECT_EQ(shown().counter, std::string("1/2"));
    search(std::string("  "));
    EXPECT_EQ(shown().counter, std::string("1/1"));
    EXPECT_EQ(shown().nom, std::string("Puzzle"));
    EXPECT_EQ(shown().critere, std::string("Nom like '*  *' or Description like '*  *'"));
}

TEST_F(SearchTest, ApostrophesAndWildcardsAreSearchedLiterally) {
    installCatalogue({{"L'eau vive", "CD 1", "Rivières"},
                      {"Leau", "CD 2", "Sans apostrophe"},
                      {"Étoile", "CD 3", "Note 5*"},
                      {"Question", "CD 4", "Pourquoi ?"},
                      {"Numéro", "CD 5", "Le #1"},
                      {"Crochet", "CD 6", "Tableau [a]"},
                      {"Chiffre 7", "CD 7", "a1b"}});

    search(std::string("l'eau"));
    EXPECT_EQ(shown().critere, std::string("Nom like '*l''eau*' or Description like '*l''eau*'"));
    EXPECT_EQ(shown().counter, std::string("1/1"));
    EXPECT_EQ(shown().nom, std::string("L'eau vive"));

    const std::pair<std::string, std::string> literal[] = {
        {"*", "Étoile"}, {"?", "Question"}, {"#", "Numéro"}, {"[a]", "Crochet"}, {"[", "Crochet"}};
    for (const auto& [typed, found] : literal) {
        search(typed);
        EXPECT_EQ(shown().counter, std::string("1/1")) << typed;
        EXPECT_EQ(shown().nom, found) << typed;
    }
    search(std::string("a#b"));
    EXPECT_EQ(shown().counter, std::string("0/0")) << "# is not a digit wildcard";
    search(std::string("'"));
    EXPECT_EQ(shown().counter, std::string("1/1"));
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SearchTest, NullFieldsShowEmptyAndTheLabelsAfterThemAreWritten) {
    installCatalogue({{"Tetris", "CD 0", "Rien"},
                      {std::nullopt, "CD 1", "Un jeu sans nom"},
                      {"Jeu sans cd", std::nullopt, std::nullopt}});
    search(std::string("zzz"));
    search(std::string("jeu"));
    EXPECT_EQ(shown(),
              (Shown{"1/2", "CD 1", "", "Un jeu sans nom", false, true, kJeuCritere, 2, 1}));
    press(kNext, kLeft);
    EXPECT_EQ(shown(), (Shown{"2/2", "", "Jeu sans cd", "", true, false, kJeuCritere, 2, 2}));
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SearchTest, MoreThan32767MatchesAreCountedInFull) {
    installLargeCatalogue();
    search(std::string("jeu"));
    EXPECT_EQ(shown(), (Shown{"1/32770", "CD 1", "Jeu 1", "Un jeu de plus", false, true,
                              kJeuCritere, 32770, 1}));

    press(kNext, kRight);
    EXPECT_EQ(shown().counter, std::string("32770/32770"));
    EXPECT_EQ(shown().nom, std::string("Jeu 32770"));
    for (int i = 0; i < 3; ++i) {
        press(kPrevious, kLeft);
    }
    EXPECT_EQ(shown().counter, std::string("32767/32770"));
    EXPECT_EQ(shown().nom, std::string("Jeu 32767"));
    press(kNext, kLeft);
    EXPECT_EQ(shown().counter, std::string("32768/32770"));
    EXPECT_EQ(shown().position, 32768);
}

TEST_F(SearchTest, CountingPumpsEventsByTimeNotAfterEveryFind) {
    installLargeCatalogue();
    search(std::string("zzz")); // the catalogue is read before the count is watched
    window.pumps = 0;
    search(std::string("jeu"));

    ASSERT_EQ(shown().total, 32770);
    EXPECT_GE(window.pumps, 3) << "the pump runs before and after the count";
    EXPECT_LT(window.pumps, 32770 / 10) << "the pump must not run after each find";
}

// A pasted megabyte of quotes and wildcards is searched in the window's tests.
TEST_F(SearchTest, AMegabyteOfTextIsSearchedWithoutHarm) {
    installCatalogue(kThreeGames);
    const std::string one(1024 * 1024, 'a');
    search(one);
    EXPECT_EQ(shown().counter, std::string("0/0"));
    EXPECT_EQ(shown().critere.size(), 2 * one.size() + 38);
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SearchTest, ACatalogueReplacedBetweenSearchesIsReadAfresh) {
    installCatalogue(kThreeGames);
    search(std::string("jeu"));
    ASSERT_EQ(shown().counter, std::string("1/3"));

    installCatalogue({{"Jeu unique", "CD 9", "Remplacé"}});
    search(std::string("jeu"));
    EXPECT_EQ(shown(),
              (Shown{"1/1", "CD 9", "Jeu unique", "Remplacé", false, false, kJeuCritere, 1, 1}));
}

// The catalogue is read in the reading helper while the search pumps the window's events with
// the hourglass shown. This helper starts reading only once an event has been handled during
// the wait; a search that waited without pumping would see it stall until the watchdog.
TEST_F(SearchTest, TheWindowsEventsRunWhileTheCatalogueIsRead) {
    installCatalogue(kThreeGames);
    const TempFolder gate;
    const std::filesystem::path started = gate.file("started");
    const std::filesystem::path handled = gate.file("handled");
    const std::filesystem::path reader = gate.file("gated-reader");
    std::ofstream(reader) << "#!/bin/sh\ntouch '" << started.string() << "'\nwhile [ ! -e '"
                          << handled.string()
                          << "' ]; do sleep 0.01; done\nexec '" ORVANE_READER_PROGRAM "' \"$@\"\n";
    std::filesystem::permissions(reader, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    catalogue::SetCatalogueReaderProgram(reader);

    int pointerWhileReading = -1;
    window.onDoEvents = [&] {
        if (std::filesystem::exists(started) && !std::filesystem::exists(handled)) {
            pointerWhileReading = window.pointerChanges.back();
            std::ofstream{handled};
        }
    };
    search(std::string("jeu"));

    EXPECT_TRUE(std::filesystem::exists(handled))
        << "no event was handled while the catalogue was read";
    EXPECT_EQ(pointerWhileReading, 11);
    EXPECT_EQ(shown().counter, std::string("1/3"));
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SearchTest, DemoCatalogueTwelveMatches) {
    installCsv(DemoCatalogueCsv());
    search(std::string("jeu"));
    EXPECT_EQ(shown(), (Shown{"1/12", "CD 2", "Maître des échecs 3",
                              "Un jeu d'échecs pour tous les niveaux, de l'initiation à la "
                              "compétition, avec 500 parties célèbres.",
                              false, true, kJeuCritere, 12, 1}));
    search(std::string("l'eau"));
    EXPECT_EQ(shown().counter, std::string("1/1"));
    EXPECT_EQ(shown().nom, std::string("L'eau et la vie"));
    search(std::string("Géographie de la France"));
    EXPECT_EQ(shown().counter, std::string("1/1"));
    EXPECT_EQ(shown().cd, std::string("CD 17"));
    EXPECT_EQ(shown().description, std::string()) << "a null description";
    EXPECT_TRUE(window.boxes.empty());
}
