// Finds, NoMatch and Fields of a recordset over a table held in memory.

#include "catalogue/catalogue_error.h"
#include "catalogue/recordset.h"
#include "catalogue/scan_pause.h"
#include "error_of.h"
#include "plain_find.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using catalogue::CatalogueError;
using catalogue::CatalogueRows;
using catalogue::CatalogueTable;
using catalogue::Recordset;

namespace {

using Row = std::array<std::optional<std::string>, 3>; // Nom, cd, Description

const std::string kJeu = std::string("Nom like '*jeu*' or Description like '*jeu*'");

std::shared_ptr<CatalogueTable> tableOf(const std::vector<Row>& rows) {
    CatalogueRows held({"Nom", "cd", "Description"});
    for (const Row& row : rows) {
        std::array<std::optional<std::string_view>, 3> values;
        for (std::size_t i = 0; i < 3; ++i) {
            if (row[i]) {
                values[i] = *row[i];
            }
        }
        held.appendRow(values);
    }
    return std::make_shared<CatalogueTable>("/cd/base.MDB", "Index", std::move(held));
}

std::string nom(const Recordset& records) {
    return records.Fields("Nom").Value().value_or("(null)");
}

const std::vector<Row> kSix{
    Row{"jeu a", "1", "x"},           Row{"rien", "2", "x"},  Row{"Jeu b", "3", std::nullopt},
    Row{std::nullopt, "4", "un JEU"}, Row{"autre", "5", "y"}, Row{"jeu c", "6", ""},
};

} // namespace

TEST(RecordsetTest, FindsWalkTheMatchesInTableOrderAndAFailedFindStaysPut) {
    Recordset records(tableOf(kSix));
    records.FindFirst(kJeu);
    EXPECT_FALSE(records.NoMatch());
    EXPECT_EQ(nom(records), "jeu a");
    std::vector<std::string> forward;
    for (records.FindNext(kJeu); !records.NoMatch(); records.FindNext(kJeu)) {
        forward.push_back(records.Fields("cd").Value().value());
    }
    EXPECT_EQ(forward, (std::vector<std::string>{"3", "4", "6"}));
    EXPECT_EQ(nom(records), "jeu c"); // the failed FindNext left the last match current

    records.FindPrevious(kJeu);
    EXPECT_FALSE(records.NoMatch());
    EXPECT_EQ(records.Fields("cd").Value(), "4");
    records.FindLast(kJeu);
    EXPECT_EQ(nom(records), "jeu c");
    records.FindFirst(kJeu);
    records.FindPrevious(kJeu);
    EXPECT_TRUE(records.NoMatch());
    EXPECT_EQ(nom(records), "jeu a");
    records.FindNext(kJeu);
    EXPECT_FALSE(records.NoMatch());
    EXPECT_EQ(nom(records), "Jeu b");
}

TEST(RecordsetTest, NothingMatchingSetsNoMatchEachWay) {
    Recordset records(tableOf(kSix));
    const std::string none = std::string("Nom like '*zzz*'");
    for (auto find : {&Recordset::FindFirst, &Recordset::FindNext, &Recordset::FindPrevious,
                      &Recordset::FindLast}) {
        (records.*find)(none);
        EXPECT_TRUE(records.NoMatch());
        EXPECT_EQ(nom(records), "jeu a"); // a fresh recordset stands on its first row
    }
}

// Random walks through several filters at once, against a plain scan of the rows.
TEST(RecordsetTest, FindsAgreeWithAPlainScanWhateverTheOrderOfMoves) {
    std::mt19937 random(7);
    std::vector<Row> rows;
    for (int i = 0; i < 400; ++i) {
        const char letter = char('a' + random() % 6);
        rows.push_back(Row{std::string("n") + letter, std::to_string(i),
                           random() % 9 == 0 ? std::nullopt : std::optional<std::string>("d")});
    }
    Recordset records(tableOf(rows));
    std::size_t current = 0;
    for (int move = 0; move < 3000; ++move) {
        // Eighteen filters, more than the table keeps, so some are forgotten and found again. Of
        // three kinds: found by searching for the text that every match holds, with or without
        // testing each row found, and found by testing row after row.
        const char letter = char('a' + random() % 6);
        const int kind = int(random() % 3);
        const std::string l(1, letter);
        const std::string criteria =
            kind == 0   ? "Nom like 'n" + l + "' and Description like 'd'"
            : kind == 1 ? "Nom like '*" + l + "*' or Description like '*" + l + "*'"
                        : "not Nom like 'n" + l + "'";
        const auto matches = [&](const Row& row) {
            const bool named = row[0]->back() == letter;
            return kind == 0   ? named && row[2]
                   : kind == 1 ? named || (row[2] && letter == 'd')
                               : !named;
        };
        std::vector<std::size_t> matching;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            if (matches(rows[row])) {
                matching.push_back(row);
            }
        }
        const std::optional<std::size_t> expected =
            FindAndExpect(records, criteria, matching, current, unsigned(random() % 4));
        ASSERT_EQ(records.NoMatch(), !expected) << "move " << move;
        current = expected.value_or(current);
        ASSERT_EQ(records.Fields("cd").Value(), std::to_string(current)) << "move " << move;
    }
}

TEST(RecordsetTest, FieldsByNameInAnyCaseWithNullsAndEmptyTexts) {
    Recordset records(tableOf(kSix));
    records.FindLast(kJeu);
    EXPECT_EQ(records.Fields("cd").Value(), "6");
    EXPECT_EQ(records.Fields("CD").Value(), "6");
    EXPECT_EQ(records.Fields("description").Value(), std::string());
    records.FindPrevious(kJeu);
    EXPECT_EQ(records.Fields("NOM").Value(), std::nullopt);
    EXPECT_EQ(records.Fields("Description").Value(), "un JEU");

    const std::string unknown = errorOf([&] { records.Fields("Prix"); });
    EXPECT_NE(unknown.find("Prix"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("/cd/base.MDB"), std::string::npos) << unknown;
}

TEST(RecordsetTest, AnEmptyTableHasNoCurrentRecord) {
    Recordset records(tableOf({}));
    records.FindFirst(kJeu);
    EXPECT_TRUE(records.NoMatch());
    records.FindNext(kJeu);
    EXPECT_TRUE(records.NoMatch());
    records.FindPrevious(kJeu);
    EXPECT_TRUE(records.NoMatch());
    const std::string error = errorOf([&] { records.Fields("Nom"); });
    EXPECT_NE(error.find("Aucun enregistrement courant"), std::string::npos) << error;
    EXPECT_NE(error.find("/cd/base.MDB"), std::string::npos) << error;
}

TEST(RecordsetTest, BadFiltersAreErrorsThatLeaveTheRecordsetAsItWas) {
    Recordset records(tableOf(kSix));
    records.FindLast(kJeu);
    for (const std::string& bad : {std::string("Nom like '*l'eau*'"), std::string("Nom like"),
                                   std::string("Prix like '*1*'")}) {
        const std::string error = errorOf([&] { records.FindNext(bad); });
        EXPECT_NE(error.find("/cd/base.MDB"), std::string::npos) << error;
        EXPECT_NE(error.find("Filtre incorrect"), std::string::npos) << error;
        EXPECT_FALSE(records.NoMatch());
        EXPECT_EQ(nom(records), "jeu c");
    }
}

// Values are kept with their case-folded copies in shared blocks, large ones in blocks of their
// own: each comes back exactly, and the folded copy is what filters see.
TEST(RecordsetTest, ValuesComeBackExactlyAndFiltersIgnoreLetterCase) {
    const std::string large(300'000, 'L');
    std::vector<Row> rows;
    for (int i = 0; i < 3000; ++i) {
        rows.push_back(Row{"ÉCOLE " + std::to_string(i), "", i % 1000 == 1 ? large : "d\xC3\x89"});
    }
    Recordset records(tableOf(rows));
    const std::string criteria = std::string("Nom like 'école 2002' and Description like '*dé'");
    records.FindFirst(criteria);
    ASSERT_FALSE(records.NoMatch());
    EXPECT_EQ(nom(records), "ÉCOLE 2002");
    records.FindFirst(std::string("Nom like 'école 2001'"));
    EXPECT_EQ(records.Fields("Description").Value(), large);
    records.FindNext(std::string("Nom like 'ecole*'")); // accents count
    EXPECT_TRUE(records.NoMatch());
    for (int i : {0, 1, 2, 999, 1001, 2999}) {
        records.FindFirst("Nom like 'ÉCOLE " + std::to_string(i) + "'");
        ASSERT_FALSE(records.NoMatch()) << i;
        EXPECT_EQ(records.Fields("Description").Value(), i % 1000 == 1 ? large : "d\xC3\x89") << i;
        EXPECT_EQ(records.Fields("cd").Value(), "") << i;
    }
}

// A scan pauses for events, and what runs then may search the same table: finds on the same and
// on other filters, enough of them that the table forgets the filter being scanned. Both the
// nested finds and the one that paused must answer as if each had run alone.
TEST(RecordsetTest, FindsRunFromInsideAPauseOfAScanAnswerRight) {
    std::vector<Row> rows;
    for (int i = 0; i < 20'000; ++i) {
        const bool jeu = (i < 10 || i >= 9000) && i % 7 == 3;
        rows.push_back(Row{jeu ? "un jeu" : "rien", std::to_string(i), std::string(40, 'x')});
    }
    const auto table = tableOf(rows);
    Recordset records(table);
    const std::string notJeu = std::string("not Nom like '*jeu*'");
    const std::string notRien = std::string("not Nom like '*rien*'"); // tested row after row
    std::vector<std::string> nested;
    const catalogue::ScanPauseScope pausing([&] {
        if (!nested.empty()) {
            return;
        }
        nested.push_back("started");
        Recordset other(table);
        for (const std::string& criteria : {kJeu, notJeu, notRien}) {
            other.FindLast(criteria);
            nested.push_back(other.Fields("cd").Value().value());
        }
        for (int i = 0; i < 5; ++i) {
            other.FindFirst("cd like '" + std::to_string(i) + "'");
        }
    });
    records.FindFirst(kJeu);
    EXPECT_EQ(records.Fields("cd").Value(), "3");
    const std::vector<std::string> last{"started", "19995", "19999", "19995"};
    EXPECT_EQ(nested, last);

    nested.clear();
    records.FindFirst(notRien);
    records.FindNext(notRien); // pauses on the way to the next match
    EXPECT_EQ(records.Fields("cd").Value(), "9005");
    EXPECT_EQ(nested, last);

    // What runs from the pause points the recordset at another table: it stays there.
    bool replaced = false;
    const catalogue::ScanPauseScope replacing([&] {
        if (!replaced) {
            replaced = true;
            records = Recordset(tableOf({Row{"seul", "s", "x"}}));
        }
    });
    records.FindLast(std::string("not Nom like '*x*'"));
    EXPECT_TRUE(replaced);
    EXPECT_EQ(records.Fields("cd").Value(), "s");
}

// A find through a large table lets the window pump its events as it goes: it pauses at least
// once for every 4096 rows it tests one by one, whether it tests every row or only those holding
// the filter's text.
TEST(RecordsetTest, ALongScanPausesAtLeastOnceEveryFewThousandRowsTested) {
    constexpr int kRows = 100'000;
    std::vector<Row> rows;
    for (int i = 0; i < kRows; ++i) {
        rows.push_back(Row{"un jeu", std::to_string(i), "x"});
    }
    const auto table = tableOf(rows);
    const std::string everyRow = "not Nom like '*rien*'";
    const std::string rowsHoldingJeu = "Nom like '*jeu*' and cd like '9*'";
    for (const std::string& criteria : {everyRow, rowsHoldingJeu}) {
        int pauses = 0;
        const catalogue::ScanPauseScope pausing([&] { ++pauses; });
        Recordset records(table);
        records.FindLast(criteria);
        EXPECT_EQ(records.Fields("cd").Value(), "99999") << criteria;
        EXPECT_GE(pauses, kRows / 4096) << criteria;
    }
}
