// The catalogue's CSV layout: its header, null and empty values, and what it refuses.

#include "catalogue_tool/catalogue_csv.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

using jet_writer::CatalogueCsv;
using jet_writer::CatalogueRow;
using jet_writer::InputError;

namespace {

using Text = std::optional<std::u16string>;

std::vector<CatalogueRow> ReadAll(const std::string& bytes) {
    std::istringstream input(bytes);
    CatalogueCsv csv(input, "catalogue.csv");
    std::vector<CatalogueRow> rows;
    for (CatalogueRow row; csv.next(row);)
        rows.push_back(row);
    return rows;
}

std::string ErrorOf(const std::string& bytes) {
    try {
        ReadAll(bytes);
    } catch (const InputError& error) {
        return std::to_string(error.position().line) + ":" +
               std::to_string(error.position().column) + ": " + error.problem();
    }
    return "no error";
}

std::string Repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

} // namespace

TEST(CatalogueCsv, HeaderNamesTheColumnsInAnyOrderAndLetterCase) {
    const auto rows = ReadAll("DESCRIPTION, nom ,\"Cd\"\n\"Un jeu\",Jeu de l'oie,CD1\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].nom, Text(u"Jeu de l'oie"));
    EXPECT_EQ(rows[0].cd, Text(u"CD1"));
    EXPECT_EQ(rows[0].description, Text(u"Un jeu"));
}

TEST(CatalogueCsv, AnEmptyFieldIsNullAndQuotedEmptyIsEmptyText) {
    const auto rows = ReadAll("Nom,cd,Description\n,\"\",\n\"\",,\"\"\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].nom, std::nullopt);
    EXPECT_EQ(rows[0].cd, Text(u""));
    EXPECT_EQ(rows[0].description, std::nullopt);
    EXPECT_EQ(rows[1].nom, Text(u""));
    EXPECT_EQ(rows[1].cd, std::nullopt);
    EXPECT_EQ(rows[1].description, Text(u""));
}

TEST(CatalogueCsv, TextBecomesUtf16WithSurrogatePairs) {
    const auto rows = ReadAll("Nom,cd,Description\n\xc3\x89t\xc3\xa9 \xf0\x9f\x98\x80,,\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].nom, Text(u"\u00c9t\u00e9 \U0001F600"));
    EXPECT_EQ(rows[0].nom->size(), 6u);
}

TEST(CatalogueCsv, RefusesAHeaderThatIsNotExactlyNomCdDescription) {
    EXPECT_EQ(ErrorOf(""), "1:1: fichier vide : la première ligne doit nommer les colonnes "
                           "Nom, cd et Description");
    EXPECT_EQ(ErrorOf("Nom,cd,Prix,Description\n"),
              "1:8: colonne « Prix » inconnue : l'en-tête ne peut nommer que Nom, cd et "
              "Description");
    EXPECT_EQ(ErrorOf("Nom,,cd,Description\n"),
              "1:5: colonne sans nom : l'en-tête ne peut nommer que Nom, cd et Description");
    EXPECT_EQ(ErrorOf("Nom,cd,NOM\n"), "1:8: colonne « Nom » en double");
    // A second byte order mark after the file's own is spelt out, not left invisible.
    EXPECT_EQ(ErrorOf("\xef\xbb\xbf\xef\xbb\xbfNom,cd,Description\n"),
              "1:1: colonne « <U+FEFF>Nom » inconnue : l'en-tête ne peut nommer que Nom, cd et "
              "Description");
    EXPECT_EQ(ErrorOf("Nom,Description\nx,y\n"),
              "1:16: colonne « cd » absente : l'en-tête doit nommer Nom, cd et Description");
}

TEST(CatalogueCsv, RefusesRowsWithTheWrongNumberOfFields) {
    EXPECT_EQ(ErrorOf("Nom,cd,Description\na,b,c\na,b,c,d\n"),
              "3:7: cette ligne a 4 champs alors que l'en-tête en nomme 3");
    EXPECT_EQ(ErrorOf("Nom,cd,Description\n\"a\nb\",c\n"),
              "3:5: cette ligne a 2 champs alors que l'en-tête en nomme 3");
    EXPECT_EQ(ErrorOf("Nom,cd,Description\n \n"),
              "2:2: cette ligne a 1 champ alors que l'en-tête en nomme 3");
}

TEST(CatalogueCsv, NomAndCdHoldAtMost255Characters) {
    const std::string longest = Repeat("\xc3\xa9", 255);
    const auto rows = ReadAll("Nom,cd,Description\n" + longest + "," + longest + ",\n");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].nom->size(), 255u);
    EXPECT_EQ(ErrorOf("Nom,cd,Description\nx,\"" + longest + "e\",\n"),
              "2:3: « cd » compte 256 caractères, au plus 255 sont admis");
    EXPECT_EQ(ErrorOf("Nom,cd,Description\n" + longest + "e,,\n"),
              "2:1: « Nom » compte 256 caractères, au plus 255 sont admis");
}

TEST(CatalogueCsv, CharactersBeyondTheFirstPlaneCountTwiceTowardsTheLimit) {
    const std::string emoji = "\xf0\x9f\x98\x80";
    EXPECT_EQ(ReadAll("Nom,cd,Description\n" + Repeat(emoji, 127) + "a,,\n")[0].nom->size(), 255u);
    EXPECT_EQ(ErrorOf("Nom,cd,Description\n" + Repeat(emoji, 128) + ",,\n"),
              "2:1: « Nom » dépasse 255 unités UTF-16 (un caractère hors du plan de base, comme "
              "un emoji, en compte deux)");
}

TEST(CatalogueCsv, RefusesAValueStartingWithTheCompressionLookalike) {
    EXPECT_EQ(ErrorOf("Nom,cd,Description\nx,y,\xef\xbb\xbfz\n"),
              "2:5: « Description » commence par le caractère invisible U+FEFF, que les "
              "lecteurs de bases Access confondent avec une marque de compression");
}
