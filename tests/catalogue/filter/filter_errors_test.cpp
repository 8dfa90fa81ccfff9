#include "catalogue/filter/filter.h"

#include <gtest/gtest.h>

#include <string>

using namespace catalogue::filter;

namespace {

// The message of the FilterError that parsing and binding expression raises, or "" if none.
std::string errorOf(const std::string& expression) {
    try {
        Filter::Parse(expression).Bind({"cd", "Nom", "Description"});
    } catch (const FilterError& error) {
        return error.what();
    }
    return "";
}

void expectError(const std::string& expression, const std::string& part) {
    const std::string message = errorOf(expression);
    EXPECT_EQ(message.rfind("Filtre incorrect : ", 0), 0u) << expression << " gave: " << message;
    EXPECT_NE(message.find(part), std::string::npos) << expression << " gave: " << message;
}

} // namespace

TEST(FilterErrors, TheSearchFilterOfAnUnescapedApostropheIsRejected) {
    // What the filter would be if the typed text l'eau went in unescaped.
    expectError("Nom like '*l'eau*' or Description like '*l'eau*'",
                "«\u00a0eau\u00a0» (position 14) inattendu");
}

TEST(FilterErrors, UnterminatedTextsAndNames) {
    expectError("Nom like '*jeu*", "texte entre apostrophes non terminé (position 10)");
    expectError("Nom like \"jeu", "texte entre guillemets non terminé");
    expectError("Nom like 'l''", "non terminé");
    expectError("[Nom like 'x'", "nom de champ entre crochets non terminé (position 1)");
    expectError("[] like 'x'", "nom de champ vide");
}

TEST(FilterErrors, UnbalancedParentheses) {
    expectError("(Nom like 'a'", "«\u00a0)\u00a0» attendue au lieu de la fin du filtre");
    expectError("(Nom like 'a' Nom like 'b')",
                "«\u00a0)\u00a0» attendue au lieu de «\u00a0Nom\u00a0» (position 15)");
    expectError("Nom like 'a')", "«\u00a0)\u00a0» sans parenthèse ouvrante (position 13)");
    expectError("()", "nom de champ attendu au lieu de «\u00a0)\u00a0»");
}

TEST(FilterErrors, UnknownOrMissingOperator) {
    expectError("Nom = 'jeu'",
                "opérateur inconnu «\u00a0=\u00a0» (position 5) après le champ «\u00a0Nom\u00a0»");
    expectError("Nom contient 'jeu'", "opérateur inconnu «\u00a0contient\u00a0»");
    expectError("Nom", "opérateur like attendu après le champ «\u00a0Nom\u00a0».");
    expectError("Nom like jeu",
                "motif entre apostrophes attendu après like au lieu de «\u00a0jeu\u00a0»");
    expectError("Nom like", "motif entre apostrophes attendu après like au lieu de la fin");
}

TEST(FilterErrors, EmptyOrIncompleteExpressions) {
    expectError("", "le filtre est vide");
    expectError("  \t ", "le filtre est vide");
    expectError("Nom like 'a' or", "nom de champ attendu au lieu de la fin du filtre");
    expectError("or Nom like 'a'", "nom de champ attendu au lieu de «\u00a0or\u00a0»");
    expectError("not", "nom de champ attendu");
    expectError("Nom like 'a' and and Nom like 'b'", "«\u00a0and\u00a0» (position 18)");
}

TEST(FilterErrors, TrailingGarbage) {
    expectError("Nom like 'a' Description", "«\u00a0Description\u00a0» (position 14) inattendu");
    expectError("Nom like 'a' ; drop", "«\u00a0;\u00a0»");
}

TEST(FilterErrors, BadPatterns) {
    expectError("Nom like '*[jeu*'",
                "crochet «\u00a0[\u00a0» sans «\u00a0]\u00a0» dans le motif «\u00a0*[jeu*\u00a0»");
    expectError("Nom like '[z-a]'", "intervalle inversé");
}

TEST(FilterErrors, LongPiecesAreShortenedInMessages) {
    const std::string pasted(1000000, 'x');
    for (const std::string& expression :
         {"Nom like '[" + pasted + "'", "Nom like 'a' '" + pasted + "'", "[" + pasted + "] = 'a'",
          "[" + pasted + "] like 'a'"}) {
        const std::string message = errorOf(expression);
        EXPECT_LT(message.size(), 200u) << message.substr(0, 300);
        EXPECT_NE(message.find("xxx…\u00a0»"), std::string::npos) << message.substr(0, 300);
    }
}

TEST(FilterErrors, UnknownFieldIsNamed) {
    expectError("Nom like 'a' or Prix like '1'", "champ inconnu «\u00a0Prix\u00a0»");
    expectError("[Nom ] like 'a'", "champ inconnu «\u00a0Nom \u00a0»");
}

TEST(FilterErrors, NestingBeyondTheLimitIsRefused) {
    const std::string parens = std::string(201, '(') + "Nom like 'a'" + std::string(201, ')');
    expectError(parens, "trop de niveaux d'imbrication (200 au plus)");
    std::string nots;
    for (int i = 0; i < 100000; ++i) {
        nots += "not ";
    }
    expectError(nots + "Nom like 'a'", "trop de niveaux d'imbrication");
    expectError(std::string(1000000, '('), "trop de niveaux d'imbrication");
}
