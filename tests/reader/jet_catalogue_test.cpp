// Reading catalogue files that orvane-catalogue writes: the demo catalogue with its nulls,
// empty texts and accents, memos spread over many long-value pages, and damaged memo chains.

#include "catalogue/jet_error.h"
#include "jet_test_files.h"
#include "reader/libmdb/jet_database.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using jet_test::buildFrom;
using reader::JetDatabase;
using reader::JetRows;

JetRows readCatalogue(const std::filesystem::path& file) {
    return JetDatabase(file).openTable("Index").readAll({"Nom", "cd", "Description"});
}

// The message of the damage that reading the file meets.
std::string damageMessage(const std::filesystem::path& file) {
    try {
        readCatalogue(file);
    } catch (const catalogue::JetError& error) {
        EXPECT_EQ(error.kind(), catalogue::JetError::Kind::Damaged) << error.what();
        return error.what();
    }
    ADD_FAILURE() << "no damage found";
    return {};
}

int entriesContaining(const JetRows& rows, const char* word) {
    int count = 0;
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        for (const std::size_t column : {0, 2}) {
            const auto value = rows.value(row, column);
            if (value && QString::fromUtf8(value->data(), qsizetype(value->size()))
                             .contains(QString::fromUtf8(word), Qt::CaseInsensitive)) {
                ++count;
                break;
            }
        }
    }
    return count;
}

// Offsets of the long-value pages of a Jet 4 file.
std::vector<std::size_t> longValuePages(const std::string& bytes) {
    std::vector<std::size_t> pages;
    for (std::size_t page = 0; page < bytes.size(); page += 4096) {
        if (bytes[page] == 1 && bytes.compare(page + 4, 4, "LVAL") == 0) {
            pages.push_back(page);
        }
    }
    return pages;
}

std::string oneLongEntry(std::size_t characters) {
    std::string description;
    while (description.size() < characters) {
        description += "Jeu \U0001F3AE d'échecs, ";
    }
    return "Nom,cd,Description\r\nGrand jeu,CD 1,\"" + description + "\"\r\n";
}

TEST(JetCatalogueFiles, DemoCatalogueHoldsWhatItsReadmeSays) {
    const jet_test::TempFolder folder;
    const auto file = buildFrom(folder, jet_test::readFile(ORVANE_DEMO_CSV));
    const JetRows rows = readCatalogue(file);
    ASSERT_EQ(rows.rowCount(), 60u);
    EXPECT_EQ(entriesContaining(rows, "jeu"), 12);
    EXPECT_EQ(entriesContaining(rows, "atlas"), 3);
    EXPECT_EQ(entriesContaining(rows, "piano"), 2);
    EXPECT_EQ(entriesContaining(rows, "l'eau"), 1);
    EXPECT_EQ(rows.value(2, 0), "Maître des échecs 3");
    EXPECT_EQ(
        QString::fromUtf8(rows.value(0, 2)->data(), qsizetype(rows.value(0, 2)->size())).size(),
        636);
    EXPECT_EQ(rows.value(5, 0), "L'eau et la vie");
    EXPECT_EQ(rows.value(28, 1), ""); // empty text, not null
    EXPECT_EQ(rows.value(43, 2), std::nullopt);
}

TEST(JetCatalogueFiles, MegabyteMemoComesBackWholeWhateverTheEnvironment) {
    const jet_test::TempFolder folder;
    const std::string csv = oneLongEntry(1 << 20);
    const auto file = buildFrom(folder, csv);
    ASSERT_GT(longValuePages(jet_test::readFile(file)).size(), 100u);
    ::setenv("MDBICONV", "ISO-8859-1", 1);
    const JetRows rows = readCatalogue(file);
    ::unsetenv("MDBICONV");
    ASSERT_EQ(rows.rowCount(), 1u);
    const std::size_t start = csv.find(",\"") + 2;
    EXPECT_TRUE(rows.value(0, 2) == std::string_view(csv).substr(start, csv.size() - start - 3));
}

TEST(JetCatalogueFiles, LostLongValuePageIsDamageNotAShorterText) {
    const jet_test::TempFolder folder;
    const auto file = buildFrom(folder, oneLongEntry(100000));
    std::string bytes = jet_test::readFile(file);
    const auto pages = longValuePages(bytes);
    ASSERT_GT(pages.size(), 2u);
    std::fill(bytes.begin() + std::ptrdiff_t(pages[1]),
              bytes.begin() + std::ptrdiff_t(pages[1] + 4096), '\0');
    jet_test::writeFile(file, bytes);
    EXPECT_NE(damageMessage(file).find("mémo"), std::string::npos);
}

TEST(JetCatalogueFiles, LongValueChainLoopingOnItselfIsDamage) {
    const jet_test::TempFolder folder;
    const auto file = buildFrom(folder, oneLongEntry(100000));
    std::string bytes = jet_test::readFile(file);
    // Row 0 of each long-value page starts where the offset table after the row count (offset
    // 12) says; its first four bytes point to the next part. Point them back at the row itself.
    for (const std::size_t page : longValuePages(bytes)) {
        const std::size_t row =
            page + (std::uint8_t(bytes[page + 14]) | std::uint8_t(bytes[page + 15]) << 8);
        const std::uint32_t self = std::uint32_t(page / 4096) << 8;
        std::memcpy(bytes.data() + row, &self, 4);
    }
    jet_test::writeFile(file, bytes);
    EXPECT_NE(damageMessage(file).find("mémo"), std::string::npos);
}

} // namespace
