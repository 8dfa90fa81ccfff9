#include "catalogue/filter/filter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace catalogue::filter;

namespace {

// A row of the catalogue table Index: cd, Nom, Description; nullopt is a database null.
struct Row {
    std::optional<std::string> cd, nom, description;
};

const std::vector<std::string> kColumns{"cd", "Nom", "Description"};

bool matches(const std::string& expression, const Row& row,
             const std::vector<std::string>& columns = kColumns) {
    const BoundFilter bound = Filter::Parse(expression).Bind(columns);
    std::vector<std::optional<std::string>> folded;
    for (const auto& cell : {row.cd, row.nom, row.description}) {
        folded.push_back(cell ? std::optional(FoldCase(*cell)) : std::nullopt);
    }
    std::vector<std::optional<std::string_view>> cells(folded.begin(), folded.end());
    return bound.Matches(cells);
}

} // namespace

TEST(Filter, TheSearchFilterFindsTheWordInEitherField) {
    const std::string search = "Nom like '*jeu*' or Description like '*jeu*'";
    EXPECT_TRUE(matches(search, {"1", "Grand JEU", "cartes"}));
    EXPECT_TRUE(matches(search, {"2", "Cartes", "un jeu de société"}));
    EXPECT_FALSE(matches(search, {"3", "Cartes", "société"}));
    EXPECT_TRUE(matches(search, {"4", std::nullopt, "jeux"})) << "the other field still counts";
    EXPECT_FALSE(matches(search, {"5", std::nullopt, std::nullopt}));
}

TEST(Filter, TheSearchEscapesOfTypedTextAreTakenLiterally) {
    EXPECT_TRUE(
        matches("Nom like '*l''eau*' or Description like '*l''eau*'", {"1", "De l'eau", ""}));
    EXPECT_FALSE(matches("Nom like '*l''eau*'", {"1", "De leau", ""}));
    EXPECT_TRUE(matches("Nom like '*[[]1[]]*'", {"1", "Disque [1]", ""}));
    EXPECT_FALSE(matches("Nom like '*[*]*'", {"1", "Disque", ""}));
    EXPECT_TRUE(matches("Nom like '*[?][#]*'", {"1", "Qui?#", ""}));
    EXPECT_FALSE(matches("Nom like '*[?][#]*'", {"1", "Qui!3", ""}));
    EXPECT_TRUE(matches("Nom like \"*\"\"x\"\"*\"", {"1", "le \"x\"", ""}))
        << "double-quoted text with doubled quotes";
    EXPECT_TRUE(matches("Nom like '*   *'", {"1", "a   b", ""})) << "blanks are searched for";
}

TEST(Filter, FieldNamesAndKeywordsIgnoreLetterCase) {
    EXPECT_TRUE(matches("CD LIKE '12' OR nom Like 'x'", {"12", "a", "b"}));
    EXPECT_TRUE(matches("[Description] like 'b'", {"12", "a", "b"}));
    EXPECT_TRUE(matches("[Prix unitaire] like '9'", {"9", "", ""}, {"Prix unitaire"}));
    EXPECT_TRUE(matches("Désignation like 'x'", {"x", "", ""}, {"DÉSIGNATION"}));
    EXPECT_TRUE(matches("[and] like 'x'", {"x", "", ""}, {"and"})) << "a keyword in brackets";
    EXPECT_TRUE(matches("Nom like 'a'", {"a", "b", ""}, {"nom", "NOM"})) << "first equal name wins";
    EXPECT_FALSE(matches("Nom like 'b'", {"a", "b", ""}, {"nom", "NOM"}));
}

TEST(Filter, NotBindsTighterThanAndWhichBindsTighterThanOr) {
    const Row row{"1", "a", "b"};
    EXPECT_TRUE(matches("Nom like 'a' or Nom like 'x' and Nom like 'y'", row));
    EXPECT_FALSE(matches("(Nom like 'a' or Nom like 'x') and Nom like 'y'", row));
    EXPECT_FALSE(matches("not Nom like 'a' or Nom like 'x'", row));
    EXPECT_TRUE(matches("not (Nom like 'x' and Nom like 'a')", row));
    EXPECT_TRUE(matches("Nom not like 'x' and Description NOT LIKE 'a'", row));
    EXPECT_TRUE(matches("not not Nom like 'a'", row));
    EXPECT_TRUE(matches("((Nom like 'a'))and((Description like 'b'))", row));
}

TEST(Filter, ANullFieldMakesItsComparisonUnknown) {
    const Row row{"1", std::nullopt, "b"};
    EXPECT_FALSE(matches("Nom like '*'", row));
    EXPECT_FALSE(matches("not Nom like 'x'", row)) << "not unknown is unknown";
    EXPECT_FALSE(matches("Nom not like 'x'", row));
    EXPECT_TRUE(matches("Nom like 'x' or Description like 'b'", row)) << "unknown or true";
    EXPECT_FALSE(matches("not (Nom like 'x' or Description like 'z')", row))
        << "unknown or false is unknown";
    EXPECT_TRUE(matches("not (Nom like 'x' and Description like 'z')", row))
        << "unknown and false is false";
    EXPECT_FALSE(matches("Nom like 'x' and Description like 'b'", row));
}

TEST(Filter, AnEmptyTextIsNotNull) {
    EXPECT_TRUE(matches("Nom like '*'", {"1", "", ""}));
    EXPECT_TRUE(matches("Nom like ''", {"1", "", ""}));
    EXPECT_FALSE(matches("Nom like '?*'", {"1", "", ""}));
}

TEST(Filter, ARowShorterThanTheColumnsHasNullsAtTheEnd) {
    const BoundFilter bound = Filter::Parse("Description like '*' or cd like '1'").Bind(kColumns);
    const std::vector<std::optional<std::string_view>> shortRow{"1"};
    EXPECT_TRUE(bound.Matches(shortRow));
    EXPECT_FALSE(bound.Matches({}));
}

TEST(Filter, OneParsedFilterBindsToDifferentTables) {
    const Filter filter = Filter::Parse("Nom like 'x'");
    const std::vector<std::optional<std::string_view>> row{"x", "y"};
    EXPECT_TRUE(filter.Bind({"Nom", "Autre"}).Matches(row));
    EXPECT_FALSE(filter.Bind({"Autre", "Nom"}).Matches(row));
}

TEST(Filter, LongChainsAndDeepNestingWithinTheLimitWork) {
    std::string chain = "Nom like 'z0'";
    for (int i = 1; i < 5000; ++i) {
        chain += " or Nom like 'z" + std::to_string(i) + "'";
    }
    EXPECT_TRUE(matches(chain, {"1", "z4999", ""}));
    EXPECT_FALSE(matches(chain, {"1", "z5000", ""}));

    const std::string nested = std::string(199, '(') + "not Nom like 'a'" + std::string(199, ')');
    EXPECT_TRUE(matches(nested, {"1", "b", ""}));
}
