// Rows kept folded with what restores the original: every value comes back byte for byte, and
// filters see the folded text.

#include "catalogue/catalogue_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using catalogue::CatalogueRows;

TEST(CatalogueRowsTest, ValuesComeBackExactlyWhateverFoldingDidToThem) {
    const std::string spaced = "A" + std::string(200, 'x') + "B" + std::string(70'000, 'y') + "C";
    const std::vector<std::optional<std::string>> values{
        "jeu de l'oie", // unchanged by folding
        "Jeu de l'Oie", // a capital here and there
        "ÉCOLE ÉTÉ",    // capitals of two bytes
        "JEU",          // more to restore than to keep: kept whole
        "\xE2\x84\xAA"
        "elvin",                   // the Kelvin sign folds to a one-byte k
        "bad \xFF\xC3 utf-8 \xC3", // invalid bytes fold to U+FFFD
        spaced,                    // differences far apart
        "",
        std::nullopt,
    };
    CatalogueRows rows({"Nom"});
    for (const auto& value : values) {
        std::optional<std::string_view> cell;
        if (value) {
            cell = *value;
        }
        rows.appendRow(std::span(&cell, 1));
    }
    ASSERT_EQ(rows.rowCount(), values.size());
    std::size_t textBytes = 0;
    for (std::size_t row = 0; row < values.size(); ++row) {
        EXPECT_EQ(rows.value(row, 0), values[row]) << row;
        textBytes += values[row].value_or("").size();
    }
    EXPECT_EQ(rows.textBytes(), textBytes);

    std::optional<std::string_view> folded;
    rows.foldedRow(2, std::span(&folded, 1));
    EXPECT_EQ(folded, "école été");
    rows.foldedRow(4, std::span(&folded, 1));
    EXPECT_EQ(folded, "kelvin");
    rows.foldedRow(8, std::span(&folded, 1));
    EXPECT_EQ(folded, std::nullopt);
}

TEST(CatalogueRowsTest, CellsOfARowKeepTheirPlaces) {
    CatalogueRows rows({"Nom", "cd", "Description"});
    const std::array<std::optional<std::string_view>, 3> first{"Atlas", std::nullopt, "MONDE"};
    const std::array<std::optional<std::string_view>, 3> second{std::nullopt, "", "Carte ÎLE"};
    rows.appendRow(first);
    rows.appendRow(second);
    for (std::size_t column = 0; column < 3; ++column) {
        EXPECT_EQ(rows.value(0, column), first[column]) << column;
        EXPECT_EQ(rows.value(1, column), second[column]) << column;
    }
    std::array<std::optional<std::string_view>, 3> folded;
    rows.foldedRow(1, folded);
    EXPECT_EQ(folded[0], std::nullopt);
    EXPECT_EQ(folded[1], "");
    EXPECT_EQ(folded[2], "carte île");
}

namespace {

// The rows whose folded value in one of columns holds text, found row by row.
std::vector<std::uint32_t> plainSearch(const CatalogueRows& rows, std::string_view text,
                                       const std::vector<std::size_t>& columns) {
    std::vector<std::uint32_t> found;
    std::vector<std::optional<std::string_view>> cells(rows.columnCount());
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        rows.foldedRow(row, cells);
        for (const std::size_t column : columns) {
            if (cells[column] && cells[column]->find(text) != std::string_view::npos) {
                found.push_back(std::uint32_t(row));
                break;
            }
        }
    }
    return found;
}

} // namespace

// The search through the rows' bytes must give what a find in each folded value gives: whether
// the text is common, rare or absent, in capitals or not, beyond ASCII, at every offset from the
// wide registers' edges, split across two values or two rows, or in a row too large to share a
// block.
TEST(CatalogueRowsTest, SearchingTheTextFindsExactlyTheRowsThatHoldIt) {
    std::mt19937 random(12);
    const std::vector<std::string> pieces{"jeu", "JEU", "Jeu ", "le ", "é", "É", "ÉTÉ",
                                          "x",   "e",   "u",    "j",   "ü", "K", "\xFF"};
    const auto filler = [&](std::size_t length) {
        std::string text;
        while (text.size() < length) {
            text += random() % 4 == 0 ? pieces[random() % pieces.size()] : std::string(1, 'a');
        }
        return text;
    };
    CatalogueRows rows({"Nom", "cd", "Description"});
    for (int i = 0; i < 3000; ++i) {
        std::array<std::string, 3> texts;
        std::array<std::optional<std::string_view>, 3> values;
        for (std::size_t column = 0; column < 3; ++column) {
            texts[column] = filler(random() % 70);
            if (random() % 10 != 0) {
                values[column] = texts[column];
            }
        }
        rows.appendRow(values);
    }
    const std::string large = std::string(300'000, 'a') + "Jeu" + std::string(40, 'b');
    const std::array<std::optional<std::string_view>, 3> huge{"e", std::nullopt, large};
    rows.appendRow(huge);
    rows.appendRow(huge);

    for (const std::string text :
         {"jeu", "je", "eu", "e", "jeu jeu", "été", "ü", "k", "ej", "ue",
          "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "\xEF\xBF\xBD", "zz", "ab", "jeub"}) {
        for (const auto& columns : std::vector<std::vector<std::size_t>>{{0, 2}, {1}, {2}, {0}}) {
            std::vector<std::uint32_t> found;
            rows.rowsHolding(text, columns, found, [] {});
            EXPECT_EQ(found, plainSearch(rows, text, columns))
                << "\"" << text << "\" in " << columns.size() << " columns";
        }
    }
}

// Every offset of a short text within values of every length around the registers' widths.
TEST(CatalogueRowsTest, SearchingFindsTheTextAtEveryPlaceOfAValue) {
    for (std::size_t length = 0; length <= 70; ++length) {
        CatalogueRows rows({"Nom"});
        for (std::size_t at = 0; at + 3 <= length; ++at) {
            std::string text(length, 'j');
            text.replace(at, 3, "jEu");
            const std::optional<std::string_view> cell = text;
            rows.appendRow(std::span(&cell, 1));
        }
        std::vector<std::uint32_t> found;
        rows.rowsHolding("jeu", std::vector<std::size_t>{0}, found, [] {});
        EXPECT_EQ(found.size(), rows.rowCount()) << length;
    }
}

TEST(CatalogueRowsTest, ALongSearchPausesBetweenPieces) {
    CatalogueRows rows({"Nom"});
    const std::string text(1000, 'a');
    const std::optional<std::string_view> cell = text;
    for (int i = 0; i < 4000; ++i) {
        rows.appendRow(std::span(&cell, 1));
    }
    int pauses = 0;
    std::vector<std::uint32_t> found;
    rows.rowsHolding("jeu", std::vector<std::size_t>{0}, found, [&] { ++pauses; });
    EXPECT_TRUE(found.empty());
    EXPECT_GE(pauses, 4'000'000 / (256 * 1024)); // one pause at most 256 KiB apart
}
