// Paging through the matches with the two arrows: left button one step, right button to the
// ends; every press beeps.

#include "search_fixture.h"

TEST_F(SearchTest, ThreeMatchesWalkForwardAndBack) {
    installCatalogue(kThreeGames);
    search(std::string("jeu"));
    window.pointerChanges.clear();
    window.calls.clear();

    press(kNext, kLeft);
    EXPECT_EQ(shown(), (Shown{"2/3", "CD 3", "Jeux de mots", "Mots croisés", true, true,
                              kJeuCritere, 3, 2}));
    EXPECT_EQ(
        WithoutPumps(window.calls),
        (std::vector<std::string>{"Beep()", "Label4.Caption=2/3", "Label6.Caption=Jeux de mots",
                                  "Label5.Caption=CD 3", "Label8.Caption=Mots croisés",
                                  "Picture4.Visible=1", "Picture5.Visible=1"}));
    press(kNext, kLeft);
    EXPECT_EQ(shown(),
              (Shown{"3/3", "CD 4", "Dames", "Le JEU de dames", true, false, kJeuCritere, 3, 3}));
    press(kPrevious, kLeft);
    EXPECT_EQ(shown(), (Shown{"2/3", "CD 3", "Jeux de mots", "Mots croisés", true, true,
                              kJeuCritere, 3, 2}));
    press(kPrevious, kLeft);
    EXPECT_EQ(shown(), (Shown{"1/3", "CD 1", "Échecs", "Un jeu de plateau", false, true,
                              kJeuCritere, 3, 1}));

    EXPECT_EQ(window.beeps, 4);
    EXPECT_TRUE(window.pointerChanges.empty()) << "a step keeps the pointer";
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SearchTest, TwoMatchesStepToTheSecond) {
    installCatalogue({{"Jeu de go", "CD 1", "Pierres"}, {"Puzzle", "CD 2", "Un jeu"}});
    search(std::string("jeu"));
    press(kNext, kLeft);
    EXPECT_EQ(shown(), (Shown{"2/2", "CD 2", "Puzzle", "Un jeu", true, false, kJeuCritere, 2, 2}));
}

TEST_F(SearchTest, MiddleButtonOnlyBeeps) {
    installCatalogue(kThreeGames);
    search(std::string("jeu"));
    press(kNext, kLeft);
    const Shown before = shown();
    window.pointerChanges.clear();
    window.beeps = 0;

    press(kPrevious, kMiddle);
    press(kNext, kMiddle);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(window.beeps, 2);
    EXPECT_TRUE(window.pointerChanges.empty());
}

// The catalogue changes under the result: the data control is refreshed over a catalogue
// without the word, so the finds of the shown arrows find nothing.
TEST_F(SearchTest, FindsThatFindNothingChangeNothing) {
    installCatalogue(kThreeGames);
    search(std::string("jeu"));
    press(kNext, kLeft);
    installCatalogue({{"Atlas", "CD 2", "Des cartes du monde"}});
    result.data.Refresh();
    const Shown before = shown();
    window.pointerChanges.clear();
    window.beeps = 0;

    press(kNext, kRight);
    EXPECT_EQ(window.beeps, 2) << "a right press that finds nothing window.beeps twice";
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));
    press(kPrevious, kLeft);
    EXPECT_EQ(window.beeps, 3) << "a left press that finds nothing window.beeps once";
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SearchTest, DemoCatalogueJumpsToTheEndsAndSteps) {
    installCsv(DemoCatalogueCsv());
    search(std::string("jeu"));
    window.pointerChanges.clear();
    window.calls.clear();

    press(kNext, kRight);
    EXPECT_EQ(shown(), (Shown{"12/12", "CD 22", "Majestic Hôtel",
                              "Un jeu de gestion : construisez et faites prospérer un palace sur "
                              "la Riviera.",
                              true, false, kJeuCritere, 12, 12}));
    EXPECT_EQ(WithoutPumps(window.calls),
              (std::vector<std::string>{
                  "Beep()", "MousePointer=11", "Label4.Caption=12/12",
                  "Label6.Caption=Majestic Hôtel", "Label5.Caption=CD 22",
                  "Label8.Caption=Un jeu de gestion : construisez et faites prospérer un palace "
                  "sur la Riviera.",
                  "Picture4.Visible=1", "Picture5.Visible=0", "MousePointer=0"}));
    press(kPrevious, kLeft);
    press(kPrevious, kLeft);
    EXPECT_EQ(shown().counter, std::string("10/12"));
    EXPECT_EQ(shown().nom, std::string("Le Solitaire"));
    EXPECT_TRUE(shown().previous && shown().next);

    press(kPrevious, kRight);
    EXPECT_EQ(shown().counter, std::string("1/12"));
    EXPECT_EQ(shown().nom, std::string("Maître des échecs 3"));
    EXPECT_FALSE(shown().previous);
    EXPECT_TRUE(shown().next);
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0, 11, 0}));
    EXPECT_EQ(window.beeps, 4);
}
