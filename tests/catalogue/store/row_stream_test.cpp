// The row stream between the catalogue reader and the program: what the writer says, the reader
// gets back whole, however the bytes are cut; anything else is refused.

#include "catalogue/row_stream.h"

#include <gtest/gtest.h>

#include <map>

using catalogue::CatalogueRows;
using catalogue::RowStreamReader;
using catalogue::RowStreamWriter;
using State = RowStreamReader::State;
using namespace std::literals;

namespace {

using Values = std::vector<std::optional<std::string_view>>;

std::string written(const std::vector<Values>& rows, std::optional<std::string> failure = {}) {
    std::string bytes;
    RowStreamWriter writer([&bytes](std::string_view piece) { bytes.append(piece); });
    writer.opened();
    for (const Values& row : rows) {
        writer.row(row);
    }
    if (failure) {
        writer.fail(*failure);
    } else {
        writer.finish(rows.size());
    }
    return bytes;
}

State readInPieces(const std::string& bytes, CatalogueRows& rows, std::size_t piece) {
    RowStreamReader reader(rows);
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        reader.feed(std::string_view(bytes).substr(at, piece));
    }
    return reader.state();
}

} // namespace

TEST(RowStreamTest, RowsComeBackWholeHoweverTheBytesAreCut) {
    const std::string large(200'000, 'x');
    const std::vector<Values> sent{{"Jeu", std::nullopt, ""}, {std::nullopt, "é\n", large}};
    const std::string bytes = written(sent);
    for (std::size_t piece : {std::size_t(1), std::size_t(3), std::size_t(4096), bytes.size()}) {
        CatalogueRows rows({"Nom", "cd", "Description"});
        ASSERT_EQ(readInPieces(bytes, rows, piece), State::Finished) << piece;
        ASSERT_EQ(rows.rowCount(), 2u);
        for (std::size_t row = 0; row < 2; ++row) {
            for (std::size_t column = 0; column < 3; ++column) {
                EXPECT_EQ(rows.value(row, column), sent[row][column]) << row << column;
            }
        }
    }
}

TEST(RowStreamTest, AFailureCarriesItsMessage) {
    CatalogueRows rows({"Nom"});
    RowStreamReader reader(rows);
    EXPECT_EQ(reader.feed(written({{"a"}}, "La table « Index » est absente.")), State::Failed);
    EXPECT_EQ(reader.message(), "La table « Index » est absente.");
}

// A read the helper could not do this time is told apart from a file it refuses.
TEST(RowStreamTest, AFileUnreadableForNowIsToldApartFromARefusedOne) {
    std::string bytes;
    RowStreamWriter writer([&bytes](std::string_view piece) { bytes.append(piece); });
    writer.unavailable("Le fichier ne peut pas être lu : erreur d'entrée-sortie du support.");
    CatalogueRows rows({"Nom"});
    RowStreamReader reader(rows);
    EXPECT_EQ(reader.feed(bytes), State::Unavailable);
    EXPECT_EQ(reader.message(),
              "Le fichier ne peut pas être lu : erreur d'entrée-sortie du support.");
    EXPECT_EQ(reader.feed("R"), State::Garbled) << "nothing may follow";
}

TEST(RowStreamTest, MalformedStreamsAreRefused) {
    const std::string good = written({{"a"}, {std::nullopt}});
    std::string wrongCount = good;
    wrongCount[wrongCount.size() - 8] = 3;
    std::string unknownFrame = good;
    unknownFrame[8] = 'Q';
    for (const std::string& bad :
         std::vector<std::string>{"ORVCAT1\n", "HELLO", wrongCount, unknownFrame, good + "R"}) {
        CatalogueRows rows({"Nom"});
        RowStreamReader reader(rows);
        EXPECT_EQ(reader.feed(bad), State::Garbled) << bad;
        EXPECT_FALSE(reader.message().empty());
    }
    // Bytes that come after the end in a later piece are refused too.
    CatalogueRows rows({"Nom"});
    RowStreamReader reader(rows);
    EXPECT_EQ(reader.feed(good), State::Finished);
    EXPECT_EQ(reader.feed("x"), State::Garbled);
}

TEST(RowStreamTest, AStreamCutShortIsStillReading) {
    const std::string good = written({{"abc"}});
    CatalogueRows rows({"Nom"});
    RowStreamReader reader(rows);
    EXPECT_EQ(reader.feed(std::string_view(good).substr(0, good.size() - 1)), State::Reading);
}

namespace {

using catalogue::EncodedFilterAnswer;
using catalogue::FilterAnswer;

// An answer matching rows 1 and 4 of a table of 6, showing the first with these values.
EncodedFilterAnswer answerShowing(const Values& first) {
    EncodedFilterAnswer answer{12, 6, {1, 4}, 1, {}};
    catalogue::RowEncoder().append(std::span(first), answer.shownRows);
    return answer;
}

// A stream of rows with an answer after the first row, the bytes before the answer, and those after
// it.
struct Answered {
    std::string before;
    std::string answer;
    std::string after;
    std::string whole() const { return before + answer + after; }
};

Answered answeredStream(const EncodedFilterAnswer& answer) {
    Answered stream;
    std::string* to = &stream.before;
    RowStreamWriter writer([&to](std::string_view piece) { to->append(piece); });
    writer.opened();
    writer.row(Values{"un", "1"});
    to = &stream.answer;
    writer.answer(answer);
    // The row given before the answer goes out first, in a frame of its own.
    const std::size_t rowsFrame = 9 + std::uint8_t(stream.answer[5]);
    EXPECT_EQ(stream.answer[0], 'B');
    stream.before += stream.answer.substr(0, rowsFrame);
    stream.answer.erase(0, rowsFrame);
    to = &stream.after;
    for (const char* name : {"deux", "trois", "quatre", "cinq", "six"}) {
        writer.row(Values{name, std::nullopt});
    }
    writer.finish(6);
    return stream;
}

} // namespace

// Answers come between rows without disturbing them, whole however the bytes are cut, each once
// and after the table was said open.
TEST(RowStreamTest, AnswersComeBetweenRowsAndLeaveThemIntact) {
    const Answered stream = answeredStream(answerShowing({"Deux", std::nullopt}));
    ASSERT_EQ(stream.answer[0], 'M');
    // The reader says now and then that it is at work on the answer: that changes nothing.
    const std::string bytes = stream.before + "PP" + stream.answer + "P" + stream.after;
    for (std::size_t piece = 1; piece <= bytes.size(); piece += piece < 16 ? 1 : 97) {
        CatalogueRows rows({"Nom", "cd"});
        std::vector<std::string> events;
        std::vector<FilterAnswer> answers;
        RowStreamReader reader(
            rows, [&] { events.push_back("opened " + std::to_string(rows.rowCount())); },
            [&](FilterAnswer answer) {
                events.push_back("answer " + std::to_string(rows.rowCount()));
                answers.push_back(std::move(answer));
            });
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            reader.feed(std::string_view(bytes).substr(at, piece));
        }
        ASSERT_EQ(reader.state(), State::Finished) << piece << reader.message();
        EXPECT_EQ(events, (std::vector<std::string>{"opened 0", "answer 1"})) << piece;
        ASSERT_EQ(rows.rowCount(), 6u);
        EXPECT_EQ(rows.value(0, 1), "1");
        EXPECT_EQ(rows.value(3, 0), "quatre");
        EXPECT_EQ(rows.value(5, 1), std::nullopt);
        ASSERT_EQ(answers.size(), 1u);
        const FilterAnswer& answer = answers[0];
        EXPECT_EQ(answer.request, 12u);
        EXPECT_EQ(answer.tableRows, 6u);
        EXPECT_EQ(answer.matches, (std::vector<std::uint32_t>{1, 4}));
        ASSERT_EQ(answer.shown.rowCount(), 1u);
        EXPECT_EQ(answer.shown.columnNames(), rows.columnNames());
        EXPECT_EQ(answer.shown.value(0, 0), "Deux");
        EXPECT_EQ(answer.shown.value(0, 1), std::nullopt);
    }
}

TEST(RowStreamTest, AnAnswerMatchingNothingIsAnAnswer) {
    const Answered stream = answeredStream({1, 6, {}, 0, {}});
    CatalogueRows rows({"Nom", "cd"});
    std::vector<FilterAnswer> answers;
    RowStreamReader reader(rows, {},
                           [&](FilterAnswer answer) { answers.push_back(std::move(answer)); });
    EXPECT_EQ(reader.feed(stream.whole()), State::Finished) << reader.message();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_TRUE(answers[0].matches.empty());
    EXPECT_EQ(answers[0].shown.rowCount(), 0u);
}

// Every way an answer can be wrong, and a table said open twice or not at all, garble the stream.
TEST(RowStreamTest, MalformedAnswersAndMisplacedOpeningsAreRefused) {
    const Values shownRow{"Deux", "2"};
    const Answered good = answeredStream(answerShowing(shownRow));
    const auto withAnswer = [&](const EncodedFilterAnswer& answer) {
        return answeredStream(answer).whole();
    };
    const auto changed = [&](std::size_t at, char byte) {
        Answered bad = good;
        bad.answer[at] = byte;
        return bad.whole();
    };
    EncodedFilterAnswer descending = answerShowing(shownRow);
    descending.matches = {4, 1};
    EncodedFilterAnswer repeated = answerShowing(shownRow);
    repeated.matches = {1, 1};
    EncodedFilterAnswer pastTheTable = answerShowing(shownRow);
    pastTheTable.matches = {1, 6};
    EncodedFilterAnswer moreShownThanMatches = answerShowing(shownRow);
    moreShownThanMatches.matches = {};
    EncodedFilterAnswer fewerRowsThanShown = answerShowing(shownRow);
    fewerRowsThanShown.shownCount = 2;
    fewerRowsThanShown.matches = {1, 4, 5};
    EncodedFilterAnswer tableTooSmall = answerShowing(shownRow);
    tableTooSmall.tableRows = 5;
    tableTooSmall.matches = {1, 4};
    EncodedFilterAnswer tableLarger = answerShowing(shownRow);
    tableLarger.tableRows = 7; // the stream ends after 6 rows
    // Each frame put right after the stream's header, before its 'O'.
    const auto afterHeader = [&](const std::string& frame) {
        return good.whole().substr(0, 8) + frame + good.whole().substr(8);
    };
    const std::string unopened = good.whole().substr(0, 8) + good.whole().substr(9);
    const std::string openedTwice = afterHeader("O");
    std::string reopened = good.before + "O" + good.answer + good.after;
    std::string answerBeforeOpening = "ORVCAT3\n" + good.answer + "O";
    const std::string workingBeforeOpening = afterHeader("P");
    const std::string answerLength(1, char(good.answer.size() - 5));
    const std::map<std::string, std::string> bad{
        {"descending", withAnswer(descending)},
        {"repeated", withAnswer(repeated)},
        {"past the table", withAnswer(pastTheTable)},
        {"more shown than matches", withAnswer(moreShownThanMatches)},
        {"fewer rows than shown", withAnswer(fewerRowsThanShown)},
        {"table smaller than the rows sent", withAnswer(tableTooSmall)},
        {"table larger than the end says", withAnswer(tableLarger)},
        {"shown row cut short", changed(1, char(good.answer.size() - 6))},
        {"match count past the frame", changed(13 + 4, 100)},
        {"frame too short", good.before + "M\3\0\0\0abc"s + good.after},
        {"no rows shown but bytes left",
         [&] {
             EncodedFilterAnswer answer = answerShowing(shownRow);
             answer.shownCount = 0;
             return withAnswer(answer);
         }()},
        {"not opened", unopened},
        {"opened twice", openedTwice},
        {"reopened", reopened},
        {"answer before opening", answerBeforeOpening},
        {"working before opening", workingBeforeOpening},
    };
    for (const auto& [name, bytes] : bad) {
        CatalogueRows rows({"Nom", "cd"});
        RowStreamReader reader(rows, {}, [](FilterAnswer) {});
        reader.feed(bytes);
        EXPECT_EQ(reader.state(), State::Garbled) << name;
        EXPECT_FALSE(reader.message().empty()) << name;
    }
    // A stream refused before its table opens needs no opening.
    CatalogueRows rows({"Nom"});
    RowStreamReader reader(rows);
    EXPECT_EQ(reader.feed("ORVCAT3\nE\3\0\0\0abc"sv), State::Failed);
}
