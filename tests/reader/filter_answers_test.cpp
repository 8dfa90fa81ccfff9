// Filters asked of the reading helper while it sends the rows: each answer holds the rows of the
// whole table that the program's own search finds in the rows it keeps, and the first of them
// whole, whatever the threads and whenever it was asked; the rows sent are not disturbed.

#include "catalogue/catalogue_rows.h"
#include "catalogue/filter/filter.h"
#include "catalogue/match_list.h"
#include "catalogue/row_stream.h"
#include "jet/database.h"
#include "jet/jet_error.h"
#include "jet/table_rows.h"
#include "jet_test_files.h"
#include "reader/ordered_rows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

using catalogue::AskedFilter;
using catalogue::CatalogueRows;
using catalogue::FilterAnswer;

const std::vector<std::string> kFields{"Nom", "cd", "Description"};
// Entries whose rows make far more than the 128 KiB an answer shows.
constexpr int kEntries = 16000;

// What the stream gave: its rows, and each answer with the rows already received when it came.
struct Received {
    Received() : rows(kFields) {}
    CatalogueRows rows;
    std::vector<FilterAnswer> answers;
    std::vector<std::size_t> rowsBeforeAnswer;
    catalogue::RowStreamReader::State state = catalogue::RowStreamReader::State::Reading;
};

class FilterAnswersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        jet_test::TempFolder folder;
        bytes_ = new std::string(jet_test::readFile(
            jet_test::buildFrom(folder, jet_test::searchableEntries(kEntries, true))));
    }
    static void TearDownTestSuite() { delete bytes_; }

    jet::ByteSpan file() const {
        return {reinterpret_cast<const std::uint8_t*>(bytes_->data()), bytes_->size()};
    }

    // Sends the table on that many threads, answering the requests queued; afterPiece is called
    // with what was received after each piece of the stream.
    void send(std::size_t threads, Received& received,
              const std::function<void(const Received&)>& afterPiece = {}) {
        const jet::Database database(file());
        const jet::TableDefinition table = database.Table("Index");
        const std::vector<std::size_t> columns{0, 1, 2};
        catalogue::RowStreamReader stream(received.rows, {}, [&received](FilterAnswer answer) {
            received.rowsBeforeAnswer.push_back(received.rows.rowCount());
            received.answers.push_back(std::move(answer));
        });
        catalogue::RowStreamWriter out([&](std::string_view piece) {
            received.state = stream.feed(piece);
            if (afterPiece) {
                afterPiece(received);
            }
        });
        const std::string& bytes = *bytes_;
        const reader::CopyOut copyOut = [&bytes](std::uint64_t offset, std::span<std::byte> into) {
            std::memcpy(into.data(), bytes.data() + offset, into.size());
        };
        out.finish(reader::SendRowsInOrder(database, table, columns, threads, copyOut, out,
                                           {&requests, kFields}));
    }

    void ask(std::uint32_t request, const std::string& criteria) {
        std::deque<AskedFilter> one{{request, criteria}};
        requests.add(one);
    }

    static std::vector<std::uint32_t> programsMatches(const CatalogueRows& rows,
                                                      const std::string& criteria) {
        catalogue::MatchList list(
            rows, catalogue::filter::Filter::Parse(criteria).Bind(rows.columnNames()));
        std::vector<std::uint32_t> matches;
        for (auto row = list.first(); row; row = list.after(*row)) {
            matches.push_back(std::uint32_t(*row));
        }
        return matches;
    }

    // The answer is what the program finds in the rows, and shows those rows as they are.
    static void expectAnswerOf(const Received& received, const FilterAnswer& answer,
                               const std::string& criteria) {
        EXPECT_EQ(answer.tableRows, std::uint64_t(kEntries));
        EXPECT_EQ(answer.matches, programsMatches(received.rows, criteria)) << criteria;
        ASSERT_LE(answer.shown.rowCount(), answer.matches.size());
        if (!answer.matches.empty()) {
            EXPECT_GT(answer.shown.rowCount(), 0u) << criteria;
        }
        for (std::size_t k = 0; k < answer.shown.rowCount(); ++k) {
            for (std::size_t column = 0; column < kFields.size(); ++column) {
                ASSERT_EQ(answer.shown.value(k, column),
                          received.rows.value(answer.matches[k], column))
                    << criteria << " shown row " << k;
            }
        }
    }

    // Whether the rows received are the table's, each in its place.
    static void expectWholeTable(const Received& received) {
        ASSERT_EQ(received.state, catalogue::RowStreamReader::State::Finished);
        ASSERT_EQ(received.rows.rowCount(), std::size_t(kEntries));
        for (const int row : {0, 6, 399, 400, 8000, kEntries - 1}) {
            const std::string number = std::to_string(row + 1);
            EXPECT_EQ(received.rows.value(row, 0),
                      ((row + 1) % 7 == 0 ? "ÉNIGME " : "Jeu ") + number);
            EXPECT_EQ(received.rows.value(row, 2).value_or("").substr(0, 8 + number.size()),
                      "Numéro " + number);
        }
    }

    reader::FilterRequests requests;
    static std::string* bytes_;
};

std::string* FilterAnswersTest::bytes_ = nullptr;

const std::vector<std::string> kCriteria{
    "Nom like '*énigme*'", // every seventh, in capitals in the file
    "Nom like '*énigme 7*' or Description like '*numéro 1?? *'", // a few, in two columns
    "Nom like '*zzz*'",                                          // nothing
    "not (cd like 'CD*')",                                       // nothing: the nulls are unknown
    "not (Nom like 'Jeu*') and Description like 'N*'",           // without needs
    "Nom like '*'",                                              // everything: more than shown
};

} // namespace

TEST_F(FilterAnswersTest, AnswersHoldWhatTheProgramFindsWhateverTheThreads) {
    for (const std::size_t threads : {1, 2, 3}) {
        for (std::size_t k = 0; k < kCriteria.size(); ++k) {
            ask(std::uint32_t(k), kCriteria[k]);
        }
        Received received;
        send(threads, received);
        expectWholeTable(received);
        ASSERT_EQ(received.answers.size(), kCriteria.size()) << threads;
        for (std::size_t k = 0; k < kCriteria.size(); ++k) {
            EXPECT_EQ(received.answers[k].request, k);
            expectAnswerOf(received, received.answers[k], kCriteria[k]);
        }
        // One request answered between two runs, the first before any rows.
        EXPECT_EQ(received.rowsBeforeAnswer[0], 0u);
        for (std::size_t k = 1; k < kCriteria.size(); ++k) {
            EXPECT_GT(received.rowsBeforeAnswer[k], received.rowsBeforeAnswer[k - 1]);
        }
        // Every row matches the last: it shows the first rows up to 128 KiB, not all of them.
        const FilterAnswer& all = received.answers.back();
        EXPECT_EQ(all.matches.size(), std::size_t(kEntries));
        EXPECT_GT(all.shown.rowCount(), 100u);
        EXPECT_LT(all.shown.rowCount(), std::size_t(kEntries));
        EXPECT_LE(all.shown.textBytes(), std::size_t(128) << 10);
    }
}

TEST_F(FilterAnswersTest,
       RequestsAskedWhileRowsFlowAreAnsweredBeforeTheNextRowsAndLeaveThemIntact) {
    Received plain;
    send(2, plain);
    bool asked = false;
    Received received;
    send(2, received, [&](const Received& sofar) {
        if (!asked && sofar.rows.rowCount() > kEntries / 2) {
            asked = true;
            ask(41, kCriteria[0]);
        }
    });
    expectWholeTable(received);
    ASSERT_EQ(received.answers.size(), 1u);
    EXPECT_EQ(received.answers[0].request, 41u);
    EXPECT_GT(received.rowsBeforeAnswer[0], std::size_t(kEntries / 2));
    expectAnswerOf(received, received.answers[0], kCriteria[0]);
    for (std::size_t row = 0; row < plain.rows.rowCount(); ++row) {
        for (std::size_t column = 0; column < kFields.size(); ++column) {
            ASSERT_EQ(received.rows.value(row, column), plain.rows.value(row, column)) << row;
        }
    }
}

// Criteria that do not parse or name an unknown field get no answer (the program checks them
// before asking), nor does a request that comes once the last rows are sent.
TEST_F(FilterAnswersTest, UnusableCriteriaAndRequestsAfterTheLastRowsGetNoAnswer) {
    ask(1, "Nom like");
    ask(2, "Inconnu like '*a*'");
    ask(3, kCriteria[2]);
    bool asked = false;
    Received received;
    send(2, received, [&](const Received& sofar) {
        if (!asked && sofar.rows.rowCount() == std::size_t(kEntries)) {
            asked = true;
            ask(4, kCriteria[0]);
        }
    });
    expectWholeTable(received);
    EXPECT_TRUE(asked);
    ASSERT_EQ(received.answers.size(), 1u);
    EXPECT_EQ(received.answers[0].request, 3u);
    EXPECT_EQ(requests.take(), (AskedFilter{4, kCriteria[0]})) << "left unanswered";
}

// Damage in a late page, which the filter's pass meets before the rows reach it, ends the read as
// the rows' own reading would, with no answer.
TEST_F(FilterAnswersTest, DamageTheFilterMeetsEndsTheReadAsTheRowsWould) {
    const std::string good = *bytes_;
    const jet::Database database(file());
    const std::vector<std::uint32_t> pages =
        jet::TableRows(database.pages(), database.Table("Index")).pages();
    const std::size_t pageSize = database.pages().pageSize();
    const std::size_t countAt = database.pages().layout().dataRowCountOffset;
    (*bytes_)[pages[pages.size() * 3 / 4] * pageSize + countAt] = '\xff';
    (*bytes_)[pages[pages.size() * 3 / 4] * pageSize + countAt + 1] = '\x7f';
    std::string unasked;
    try {
        Received received;
        send(2, received);
    } catch (const jet::FormatError& error) {
        unasked = error.what();
    }
    ask(1, kCriteria[0]);
    Received received;
    try {
        send(2, received);
        ADD_FAILURE() << "the damage went unseen";
    } catch (const jet::FormatError& error) {
        EXPECT_EQ(error.kind(), jet::FormatError::Kind::Damaged);
        EXPECT_EQ(error.what(), unasked);
    }
    *bytes_ = good;
    EXPECT_TRUE(received.answers.empty());
    EXPECT_EQ(received.rows.rowCount(), 0u) << "the request came before the first rows";
}
