// A recordset opened while its table is still being read: finds answered by the reading helper's
// answers, rows shown from them, the whole table taken over once it has come, and failures of
// the read coming from the find that needed the rows. The helper is played by the test: it sees
// what the recordset sends and answers from inside the recordset's waits, as the event pump
// would run.

#include "catalogue/catalogue_error.h"
#include "catalogue/pending_table.h"
#include "catalogue/quoted.h"
#include "catalogue/recordset.h"
#include "catalogue/scan_pause.h"
#include "error_of.h"
#include "plain_find.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <set>
#include <utility>

using catalogue::CatalogueError;
using catalogue::CatalogueRows;
using catalogue::CatalogueTable;
using catalogue::FilterAnswer;
using catalogue::PendingTable;
using catalogue::Recordset;
using catalogue::TableReading;

namespace {

using Row = std::array<std::optional<std::string>, 3>; // Nom, cd, Description

const std::vector<std::string> kColumns{"Nom", "cd", "Description"};
const std::string kDescribed = catalogue::DescribeTable("/cd/base.MDB", "Index");
const std::string kJeu = std::string("Nom like '*jeu*' or Description like '*jeu*'");

const std::vector<Row> kSix{
    Row{"jeu a", "1", "x"},           Row{"rien", "2", "x"},  Row{"Jeu b", "3", std::nullopt},
    Row{std::nullopt, "4", "un JEU"}, Row{"autre", "5", "y"}, Row{"jeu c", "6", ""},
};

void append(CatalogueRows& rows, const Row& row) {
    std::array<std::optional<std::string_view>, 3> values;
    for (std::size_t i = 0; i < 3; ++i) {
        if (row[i]) {
            values[i] = *row[i];
        }
    }
    rows.appendRow(values);
}

std::shared_ptr<CatalogueTable> tableOf(const std::vector<Row>& rows) {
    CatalogueRows held(kColumns);
    for (const Row& row : rows) {
        append(held, row);
    }
    return std::make_shared<CatalogueTable>("/cd/base.MDB", "Index", std::move(held));
}

// A request as the helper reads it: 'F', its number, the length of the filter, the filter.
std::pair<std::uint32_t, std::string> requestOf(const std::string& bytes) {
    std::uint32_t request = 0;
    std::uint32_t length = 0;
    EXPECT_EQ(bytes.at(0), 'F');
    std::memcpy(&request, bytes.data() + 1, 4);
    std::memcpy(&length, bytes.data() + 5, 4);
    EXPECT_EQ(bytes.size(), 9 + std::size_t(length));
    return {request, bytes.substr(9)};
}

// A read under way, run by the test.
class FakeRead {
public:
    FakeRead() : result_(whole_.get_future().share()) {}

    // The helper's input: what the recordset's table asks is kept, and written only while the
    // helper is said to listen.
    void connect(bool listening = true) {
        reading_->Connect([this, listening](std::string_view bytes) {
            sent.emplace_back(bytes);
            return listening;
        });
        reading_->Opened();
    }

    catalogue::TableSource source() {
        return {nullptr, std::make_shared<PendingTable>(result_, reading_, kColumns, "/cd/base.MDB",
                                                        "Index", [this] { ++forgotten; })};
    }

    // Answers the last request with the rows of the table that match, the first `shown` of
    // them in full.
    void answerLast(const std::vector<Row>& rows, const std::vector<std::uint32_t>& matches,
                    std::size_t shown) {
        FilterAnswer answer{requestOf(sent.back()).first, rows.size(), matches,
                            CatalogueRows(kColumns)};
        for (std::size_t i = 0; i < shown && i < matches.size(); ++i) {
            append(answer.shown, rows[matches[i]]);
        }
        reading_->Answered(std::move(answer));
    }

    // What the helper does next while the recordset waits: answers a request not answered yet,
    // or else sends the rest of the table.
    void step(const std::vector<Row>& rows, const std::vector<std::uint32_t>& matches,
              std::size_t shown) {
        if (!sent.empty() && answered_.insert(requestOf(sent.back()).first).second) {
            answerLast(rows, matches, shown);
        } else if (!finished_) {
            finish(rows);
        }
    }

    void finish(const std::vector<Row>& rows) {
        if (finished_) {
            return;
        }
        finished_ = true;
        reading_->Disconnect();
        whole_.set_value(tableOf(rows));
        reading_->Ended();
    }

    void fail(std::exception_ptr failure) {
        if (finished_) {
            return;
        }
        finished_ = true;
        reading_->Disconnect();
        whole_.set_exception(std::move(failure));
        reading_->Ended();
    }

    TableReading& reading() { return *reading_; }

    std::vector<std::string> sent;
    int forgotten = 0;

private:
    std::promise<std::shared_ptr<CatalogueTable>> whole_;
    catalogue::TableResult result_;
    std::set<std::uint32_t> answered_;
    bool finished_ = false;
    std::shared_ptr<TableReading> reading_ = std::make_shared<TableReading>();
};

std::optional<std::string> cd(const Recordset& records) {
    return records.Fields("cd").Value();
}

} // namespace

TEST(PendingRecordsetTest, TheHelperAnswersTheFindsAndShowsItsRowsBeforeTheTableHasCome) {
    FakeRead read;
    read.connect();
    Recordset records(read.source());
    // The helper answers while the find waits, and the table comes while a field waits, as the
    // window's events run.
    int pauses = 0;
    const catalogue::ScanPauseScope helper([&] {
        if (++pauses == 1) {
            ASSERT_EQ(read.sent.size(), 1u);
            EXPECT_EQ(requestOf(read.sent[0]).second, kJeu);
            read.answerLast(kSix, {0, 2, 3, 5}, 2);
        } else {
            read.finish(kSix);
        }
    });

    records.FindFirst(kJeu);
    EXPECT_FALSE(records.NoMatch());
    int count = 1;
    for (records.FindNext(kJeu); !records.NoMatch(); records.FindNext(kJeu)) {
        ++count;
    }
    EXPECT_EQ(count, 4);
    EXPECT_EQ(pauses, 1);
    records.FindFirst(kJeu);
    EXPECT_EQ(cd(records), "1");
    records.FindNext(kJeu);
    EXPECT_EQ(records.Fields("NOM").Value(), "Jeu b");
    EXPECT_EQ(records.Fields("Description").Value(), std::nullopt);
    EXPECT_EQ(pauses, 1) << "shown rows need no wait";
    EXPECT_EQ(read.sent.size(), 1u) << "a filter is asked once";

    records.FindNext(kJeu); // row 4 was not sent in full: its fields wait for the table
    EXPECT_EQ(cd(records), "4");
    EXPECT_EQ(pauses, 2);
    records.FindLast(kJeu);
    EXPECT_EQ(cd(records), "6");
    records.FindPrevious(std::string("Nom like 'rien'"));
    EXPECT_EQ(cd(records), "2");
    EXPECT_EQ(read.sent.size(), 1u) << "the whole table answers once it has come";
}

TEST(PendingRecordsetTest, WithoutAnAnswerTheWholeTableIsWaitedFor) {
    // A helper that cannot be written to, one that ended before answering, and a filter too
    // long to send.
    for (int way = 0; way < 3; ++way) {
        FakeRead read;
        read.connect(way != 0);
        Recordset records(read.source());
        const catalogue::ScanPauseScope helper([&] { read.finish(kSix); });
        if (way == 1) {
            read.reading().Disconnect();
        }
        const std::string criteria =
            way == 2 ? kJeu + " or Nom like '" + std::string(TableReading::kLongestAsked, 'x') + "'"
                     : kJeu;
        records.FindLast(criteria);
        EXPECT_EQ(cd(records), "6") << way;
        EXPECT_EQ(read.sent.size(), way == 0 ? 1u : 0u) << way;
    }
}

TEST(PendingRecordsetTest, AFailedReadIsThrownByTheFindOrFieldThatNeedsItsRows) {
    FakeRead damaged;
    damaged.connect();
    Recordset records(damaged.source());
    damaged.fail(std::make_exception_ptr(CatalogueError("Le fichier est endommagé.")));
    EXPECT_EQ(errorOf([&] { records.FindFirst(kJeu); }), "Le fichier est endommagé.");
    EXPECT_EQ(errorOf([&] { records.Fields("Nom"); }), "Le fichier est endommagé.");
    EXPECT_EQ(damaged.forgotten, 0) << "damage is remembered";

    FakeRead unreadable;
    unreadable.connect();
    Recordset other(unreadable.source());
    const catalogue::ScanPauseScope helper([&] {
        unreadable.fail(std::make_exception_ptr(
            catalogue::CatalogueUnavailable("Le fichier ne peut pas être lu pour l'instant.")));
    });
    EXPECT_NE(errorOf([&] { other.FindFirst(kJeu); }).find("pour l'instant"), std::string::npos);
    EXPECT_GE(unreadable.forgotten, 1) << "a read that said nothing of the file is not kept";
}

TEST(PendingRecordsetTest, BadFiltersAndFieldsAreRefusedAsTheWholeTableRefusesThem) {
    FakeRead read;
    read.connect();
    Recordset records(read.source());
    for (const std::string& bad : {std::string("Nom like"), std::string("Prix like '*1*'")}) {
        const std::string error = errorOf([&] { records.FindFirst(bad); });
        EXPECT_NE(error.find("Recherche impossible dans " + kDescribed), std::string::npos)
            << error;
    }
    EXPECT_TRUE(read.sent.empty());

    const catalogue::ScanPauseScope helper([&] { read.answerLast(kSix, {0, 2, 3, 5}, 4); });
    records.FindFirst(kJeu);
    const std::string unknown = errorOf([&] { records.Fields("Prix"); });
    EXPECT_NE(
        unknown.find("Le champ " + catalogue::Quoted("Prix") + " est absent de " + kDescribed),
        std::string::npos)
        << unknown;
}

// A search run from the wait may point the recordset at another table: the find that waited
// then leaves it as that search did, even when its own read failed meanwhile.
TEST(PendingRecordsetTest, AFindLeavesTheRecordsetAsEventsRunDuringItsWaitLeftIt) {
    FakeRead read;
    read.connect();
    Recordset records(read.source());
    const std::vector<Row> other{Row{"jeu z", "9", "z"}, Row{"jeu y", "8", "y"}};
    bool searched = false;
    const catalogue::ScanPauseScope nested([&] {
        if (std::exchange(searched, true)) {
            return;
        }
        records = Recordset(tableOf(other));
        records.FindLast(kJeu);
        read.fail(std::make_exception_ptr(CatalogueError("Le fichier est endommagé.")));
    });
    records.FindFirst(kJeu);
    EXPECT_EQ(cd(records), "8");
}

// Random walks with several filters, the table coming at a random move, against a plain scan.
TEST(PendingRecordsetTest, FindsAgreeWithAPlainScanBeforeAndAfterTheTableComes) {
    std::mt19937 random(11);
    std::vector<Row> rows;
    for (int i = 0; i < 300; ++i) {
        rows.push_back(Row{std::string("n") + char('a' + random() % 5), std::to_string(i),
                           random() % 7 == 0 ? std::nullopt : std::optional<std::string>("d")});
    }
    for (int trial = 0; trial < 8; ++trial) {
        FakeRead read;
        read.connect();
        Recordset records(read.source());
        const int comes = int(random() % 400);
        std::vector<std::uint32_t> matching;
        std::size_t shown = 0;
        const catalogue::ScanPauseScope helper([&] { read.step(rows, matching, shown); });
        std::size_t current = 0;
        for (int move = 0; move < 500; ++move) {
            if (move == comes) {
                read.step(rows, matching, shown); // answers what is asked, or sends the rest
            }
            const std::string letter(1, char('a' + random() % 5));
            const std::string criteria = "Nom like '*" + letter + "*'";
            matching.clear();
            for (std::size_t row = 0; row < rows.size(); ++row) {
                if (rows[row][0]->back() == letter[0]) {
                    matching.push_back(std::uint32_t(row));
                }
            }
            shown = random() % 4;
            const std::optional<std::size_t> expected =
                FindAndExpect(records, criteria, matching, current, unsigned(random() % 4));
            ASSERT_EQ(records.NoMatch(), !expected) << "trial " << trial << " move " << move;
            current = expected.value_or(current);
            if (move % 3 == 0 || move > comes) {
                ASSERT_EQ(cd(records), std::to_string(current)) << "move " << move;
            }
        }
    }
}

// A read asks its helper a bounded number of filters, the most recent kept: the others wait for
// the whole table, and so does a filter that was dropped and is asked again.
TEST(PendingRecordsetTest, AReadAsksItsHelperABoundedNumberOfFilters) {
    FakeRead read;
    read.connect();
    std::vector<catalogue::AnswerResult> answers;
    for (std::uint32_t k = 0; k <= TableReading::kMostAsked; ++k) {
        answers.push_back(read.reading().Answer("Nom like '" + std::to_string(k) + "'"));
    }
    EXPECT_EQ(read.sent.size(), std::size_t(TableReading::kMostAsked));
    ASSERT_EQ(answers.back().wait_for(std::chrono::seconds(0)), std::future_status::ready);
    EXPECT_EQ(answers.back().get(), nullptr);
    ASSERT_EQ(answers.front().wait_for(std::chrono::seconds(0)), std::future_status::ready)
        << "dropped from those kept, it was given up";
    EXPECT_EQ(read.reading().Answer("Nom like '0'").get(), nullptr);
    EXPECT_EQ(read.sent.size(), std::size_t(TableReading::kMostAsked));
}
