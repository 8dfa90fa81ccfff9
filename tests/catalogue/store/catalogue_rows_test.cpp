// Rows kept folded with what restores the original: every value comes back byte for byte, and
// filters see the folded text.

#include "catalogue/catalogue_rows.h"

#include <gtest/gtest.h>

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
