// Paging through the matches with the two arrows: left button one step, right button to the
// ends; every press beeps.

#include "search_form_test.h"

#include "ui/data_control_widget.h"
#include "ui/skin_picture.h"

namespace {

const QString kJeu = QStringLiteral("Nom like '*jeu*' or Description like '*jeu*'");

const std::vector<Entry> kThreeGames = {
    {"Échecs", "CD 1", "Un jeu de plateau"},
    {"Atlas", "CD 2", "Des cartes du monde"},
    {"Jeux de mots", "CD 3", "Mots croisés"},
    {"Dames", "CD 4", "Le jeu de dames"},
};

} // namespace

TEST_F(SearchFormTest, ThreeMatchesWalkForwardAndBack) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    pointerChanges.clear();

    press(form->Picture5, Qt::LeftButton);
    EXPECT_EQ(shown(),
              (Shown{"2/3", "CD 3", "Jeux de mots", "Mots croisés", true, true, kJeu, 3, 2}));
    press(form->Picture5, Qt::LeftButton);
    EXPECT_EQ(shown(), (Shown{"3/3", "CD 4", "Dames", "Le jeu de dames", true, false, kJeu, 3, 3}));
    press(form->Picture4, Qt::LeftButton);
    EXPECT_EQ(shown(),
              (Shown{"2/3", "CD 3", "Jeux de mots", "Mots croisés", true, true, kJeu, 3, 2}));
    press(form->Picture4, Qt::LeftButton);
    EXPECT_EQ(shown(),
              (Shown{"1/3", "CD 1", "Échecs", "Un jeu de plateau", false, true, kJeu, 3, 1}));

    EXPECT_EQ(beeps, 4);
    EXPECT_TRUE(pointerChanges.empty()) << "a step keeps the pointer";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SearchFormTest, TwoMatchesStepToTheSecond) {
    installCatalogue({{"Jeu de go", "CD 1", "Pierres"}, {"Puzzle", "CD 2", "Un jeu"}});
    search(QStringLiteral("jeu"));
    press(form->Picture5, Qt::LeftButton);
    EXPECT_EQ(shown(), (Shown{"2/2", "CD 2", "Puzzle", "Un jeu", true, false, kJeu, 2, 2}));
}

TEST_F(SearchFormTest, MiddleButtonOnlyBeeps) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    press(form->Picture5, Qt::LeftButton);
    const Shown before = shown();
    pointerChanges.clear();
    beeps = 0;

    press(form->Picture4, Qt::MiddleButton);
    press(form->Picture5, Qt::MiddleButton);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(beeps, 2);
    EXPECT_TRUE(pointerChanges.empty());
}

// The catalogue changes under the result: the data control is refreshed over a catalogue
// without the word, so the finds of the shown arrows find nothing.
TEST_F(SearchFormTest, FindsThatFindNothingChangeNothing) {
    installCatalogue(kThreeGames);
    search(QStringLiteral("jeu"));
    press(form->Picture5, Qt::LeftButton);
    installCatalogue({{"Atlas", "CD 2", "Des cartes du monde"}});
    form->Data1->Refresh();
    const Shown before = shown();
    pointerChanges.clear();
    beeps = 0;

    press(form->Picture5, Qt::RightButton);
    EXPECT_EQ(beeps, 2) << "a right press that finds nothing beeps twice";
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    press(form->Picture4, Qt::LeftButton);
    EXPECT_EQ(beeps, 3) << "a left press that finds nothing beeps once";
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SearchFormTest, DemoCatalogueJumpsToTheEndsAndSteps) {
    installDemoCatalogue();
    search(QStringLiteral("jeu"));
    pointerChanges.clear();

    press(form->Picture5, Qt::RightButton);
    EXPECT_EQ(shown(), (Shown{"12/12", "CD 22", "Majestic Hôtel",
                              "Un jeu de gestion : construisez et faites prospérer un palace sur "
                              "la Riviera.",
                              true, false, kJeu, 12, 12}));
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0}));
    press(form->Picture4, Qt::LeftButton);
    press(form->Picture4, Qt::LeftButton);
    EXPECT_EQ(shown().counter, QStringLiteral("10/12"));
    EXPECT_EQ(shown().nom, QStringLiteral("Le Solitaire"));
    EXPECT_TRUE(shown().previous && shown().next);

    press(form->Picture4, Qt::RightButton);
    EXPECT_EQ(shown().counter, QStringLiteral("1/12"));
    EXPECT_EQ(shown().nom, QStringLiteral("Maître des échecs 3"));
    EXPECT_FALSE(shown().previous);
    EXPECT_TRUE(shown().next);
    EXPECT_EQ(pointerChanges, (std::vector<int>{11, 0, 11, 0}));
    EXPECT_EQ(beeps, 4);
}
