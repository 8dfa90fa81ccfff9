// Rows encoded by the catalogue reader are taken over as they come when they are well formed,
// and refused whole, adding nothing, when a wrong reader sent them otherwise.

#include "catalogue/catalogue_rows.h"
#include "catalogue/row_encoding.h"

#include <gtest/gtest.h>

#include <array>

using catalogue::CatalogueRows;
using Row = std::array<std::optional<std::string_view>, 2>;

namespace {

std::string encoded(const std::vector<Row>& rows) {
    catalogue::RowEncoder encoder;
    std::string bytes;
    for (const Row& row : rows) {
        encoder.append(row, bytes);
    }
    return bytes;
}

} // namespace

TEST(RowEncodingTest, EncodedRowsAreKeptAsAppendedRowsAre) {
    const std::vector<Row> sent{{"Jeu de l'Oie", std::nullopt},
                                {"", "ÉCOLE d'été, LE JEU"},
                                {"\xE2\x84\xAA"
                                 "elvin",
                                 "bad \xFF utf-8"}};
    CatalogueRows appended({"Nom", "Description"});
    for (const Row& row : sent) {
        appended.appendRow(row);
    }
    CatalogueRows taken({"Nom", "Description"});
    ASSERT_TRUE(taken.appendEncodedRows(encoded(sent), sent.size()));
    ASSERT_EQ(taken.rowCount(), sent.size());
    EXPECT_EQ(taken.textBytes(), appended.textBytes());
    for (std::size_t row = 0; row < sent.size(); ++row) {
        Row folded{};
        Row expected{};
        taken.foldedRow(row, folded);
        appended.foldedRow(row, expected);
        EXPECT_EQ(folded, expected) << row;
        for (std::size_t column = 0; column < 2; ++column) {
            EXPECT_EQ(taken.value(row, column), sent[row][column]) << row << column;
        }
    }
}

TEST(RowEncodingTest, MalformedRowsAreRefusedWholeAndAddNothing) {
    const std::string good = encoded({{"Jeu", "Oie"}});
    const std::vector<std::pair<std::string, std::string>> malformed{
        {"a header cut short", good.substr(0, 3)},
        {"a value cut short", good.substr(0, good.size() - 1)},
        {"a folded length beyond the row", std::string("\x7f\x01\x00\x00", 4) + "abc"},
        {"a null with a restore record", std::string("\x00\x01\x02\x00", 4) + "x"},
        {"a length of too many bytes", std::string(10, '\x80') + std::string("\x01\x00\x00", 3)},
        // "abc" with a record of two bytes changed: at 1, then 0 bytes further, the same byte.
        {"a change repeated in place", std::string("\x04\x01\x08\x00", 4) + "abc" + "\x01X\x00Y"},
        {"a change beyond its value", std::string("\x04\x01\x04\x00", 4) + "abc" + "\x03X"},
    };
    for (const auto& [what, bytes] : malformed) {
        CatalogueRows rows({"Nom", "Description"});
        ASSERT_TRUE(rows.appendEncodedRows(good, 1));
        EXPECT_FALSE(rows.appendEncodedRows(good + bytes, 2)) << what;
        EXPECT_EQ(rows.rowCount(), 1u) << what;
    }
    CatalogueRows rows({"Nom", "Description"});
    EXPECT_FALSE(rows.appendEncodedRows(good + good, 1)) << "more rows than said";
    EXPECT_FALSE(rows.appendEncodedRows(good, 2)) << "fewer rows than said";
    EXPECT_EQ(rows.rowCount(), 0u);
}

TEST(RowEncodingTest, UnitsOfUtf16AreEncodedAsTheirUtf8Is) {
    // "Éte" with a character beyond the first plane, then a high surrogate alone, which reads
    // as U+FFFD.
    std::string stored;
    for (const char16_t unit : u"\u00C9te\U00010400") {
        stored += {char(unit & 0xFF), char(unit >> 8)};
    }
    stored.replace(stored.size() - 2, 2, "\x01\xD8"); // the final null becomes a surrogate
    const std::string text = "Éte\xF0\x90\x90\x80\xEF\xBF\xBD";
    using Cells = std::array<std::optional<catalogue::CellText>, 2>;
    catalogue::RowEncoder encoder;
    std::string fromUnits;
    const std::size_t unitsRead = encoder.append(
        Cells{catalogue::CellText{stored, true}, catalogue::CellText{"Jeu"}}, fromUnits);
    std::string fromText;
    const std::size_t textRead = encoder.append(Row{text, "Jeu"}, fromText);
    EXPECT_EQ(fromUnits, fromText);
    EXPECT_EQ(unitsRead, textRead);
}

// A row folded without being encoded, as the reader tests rows against a filter, gives the
// values the store gives for the row encoded, from UTF-8 or from the file's UTF-16 alike.
TEST(RowEncodingTest, FoldingARowGivesTheFoldedValuesOfItsEncoding) {
    std::string units;
    for (const char16_t unit : std::u16string_view(u"ÉNIGME \U00010400 Straße")) {
        units += {char(unit & 0xFF), char(unit >> 8)};
    }
    using Cells = std::array<std::optional<catalogue::CellText>, 3>;
    const std::vector<Cells> rows{
        {catalogue::CellText{units, true}, std::nullopt, catalogue::CellText{"ÉCOLE d'ÉTÉ"}},
        {catalogue::CellText{""}, catalogue::CellText{"bad \xFF UTF-8 \xE2\x84\xAA"},
         catalogue::CellText{std::string_view("\0A", 2), true}}};
    catalogue::RowEncoder encoder;
    CatalogueRows store({"Nom", "cd", "Description"});
    for (const Cells& row : rows) {
        std::string bytes;
        encoder.append(row, bytes);
        ASSERT_TRUE(store.appendEncodedRows(bytes, 1));
    }
    std::array<std::optional<std::string_view>, 3> folded;
    std::array<std::optional<std::string_view>, 3> stored;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        encoder.fold(rows[row], folded);
        store.foldedRow(row, stored);
        EXPECT_EQ(folded, stored) << row;
    }
}
