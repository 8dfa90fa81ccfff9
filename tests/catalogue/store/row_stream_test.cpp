// The row stream between the catalogue reader and the program: what the writer says, the reader
// gets back whole, however the bytes are cut; anything else is refused.

#include "catalogue/row_stream.h"

#include <gtest/gtest.h>

using catalogue::CatalogueRows;
using catalogue::RowStreamReader;
using catalogue::RowStreamWriter;
using State = RowStreamReader::State;

namespace {

using Values = std::vector<std::optional<std::string_view>>;

std::string written(const std::vector<Values>& rows, std::optional<std::string> failure = {}) {
    std::string bytes;
    RowStreamWriter writer([&bytes](std::string_view piece) { bytes.append(piece); });
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
