// orvane-generate-catalogue: exact counts of rows holding the word, checked on the catalogue
// that orvane-catalogue builds from the output and our reader reads back; same seed, same
// file; options that cannot be met.

#include "catalogue_generator.h"
#include "catalogue_tool/catalogue_build.h"
#include "test_files.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

using generator::GeneratorOptions;

std::string Generate(const GeneratorOptions& options, std::size_t* count = nullptr) {
    std::ostringstream out;
    const std::size_t written = generator::WriteCatalogue(options, out);
    if (count) {
        *count = written;
    }
    return out.str();
}

bool Holds(const std::optional<std::string>& text, const QString& word) {
    return text && QString::fromUtf8(text->data(), qsizetype(text->size()))
                       .contains(word, Qt::CaseInsensitive);
}

// Builds the catalogue database from the CSV and counts, through our reader, the rows whose
// Nom or Description holds the word; also gives the number of rows.
std::pair<std::size_t, std::size_t> CountInDatabase(const std::string& csv,
                                                    const std::string& word) {
    QTemporaryDir folder;
    const std::filesystem::path source = folder.filePath("catalogue.csv").toStdString();
    const std::filesystem::path target = folder.filePath("base.MDB").toStdString();
    std::ofstream(source, std::ios::binary) << csv;
    jet_writer::BuildCatalogue(source, target);
    const auto rows = test_files::ReadTable(target, "Index", {"Nom", "cd", "Description"});
    const QString asked = QString::fromStdString(word);
    std::size_t matching = 0;
    for (const auto& row : rows) {
        matching += Holds(row[0], asked) || Holds(row[2], asked);
    }
    return {matching, rows.size()};
}

TEST(CatalogueGenerator, ExactShareOfRowsHoldsTheWord) {
    const GeneratorOptions options{.rows = 3000, .word = "jeu", .share = 0.1, .seed = 1};
    std::size_t count = 0;
    const std::string csv = Generate(options, &count);
    EXPECT_EQ(count, 300u);
    EXPECT_EQ(CountInDatabase(csv, "jeu"), std::make_pair(std::size_t(300), std::size_t(3000)));
}

TEST(CatalogueGenerator, WordInsideCommonWordsIsKeptOutOfTheFiller) {
    // "ion" is in "collection", "édition", "Initiation", "Révolution"...
    const GeneratorOptions options{.rows = 2000, .word = "ion", .share = 0.25, .seed = 7};
    std::size_t count = 0;
    const std::string csv = Generate(options, &count);
    EXPECT_EQ(count, 500u);
    EXPECT_EQ(CountInDatabase(csv, "ion").first, 500u);
}

TEST(CatalogueGenerator, NoneOrAllRows) {
    std::size_t count = 1;
    const std::string none =
        Generate({.rows = 500, .word = "Piano", .share = 0, .seed = 3}, &count);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(CountInDatabase(none, "piano").first, 0u);
    const std::string all = Generate({.rows = 500, .word = "été", .share = 1, .seed = 3}, &count);
    EXPECT_EQ(count, 500u);
    EXPECT_EQ(CountInDatabase(all, "ÉTÉ").first, 500u);
}

TEST(CatalogueGenerator, SameSeedSameFile) {
    const GeneratorOptions options{.rows = 1000, .word = "jeu", .share = 0.3, .seed = 42};
    EXPECT_EQ(Generate(options), Generate(options));
    GeneratorOptions other = options;
    other.seed = 43;
    EXPECT_NE(Generate(options), Generate(other));
}

TEST(CatalogueGenerator, OptionsThatCannotBeMet) {
    EXPECT_THROW(Generate({.rows = 10, .word = "", .share = 0.1, .seed = 1}),
                 std::invalid_argument);
    EXPECT_THROW(Generate({.rows = 10, .word = "jeu", .share = 1.5, .seed = 1}),
                 std::invalid_argument);
    EXPECT_THROW(Generate({.rows = 10, .word = "jeu", .share = -0.1, .seed = 1}),
                 std::invalid_argument);
    // Every piece of filler holds an "e".
    EXPECT_THROW(Generate({.rows = 10, .word = "E", .share = 0.1, .seed = 1}),
                 std::invalid_argument);
}

} // namespace
