// Damaged and protected files: each is answered by a French message that names the problem,
// never by a crash, a loop or rows read wrong.

#include "jet_files.h"

#include "jet/database_page.h"
#include "jet/long_value.h"
#include "jet/row_layout.h"
#include "jet/table_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using jet_test::BuildCatalogue;
using jet_test::FileBytes;
using jet_test::RefusalOf;

constexpr std::size_t kPage = jet::kJet4PageSize;

std::string LongText(std::size_t length) {
    return std::string(length, 'm');
}

// A catalogue whose second row's memo runs over a chain of long-value records.
FileBytes CatalogueWithChain() {
    return BuildCatalogue("Nom,cd,Description\nA,B,court\nC,D," + LongText(9000) + "\nE,F,G\n");
}

void PutU32(FileBytes& file, std::size_t at, std::uint32_t value) {
    jet::StoreU32(&file[at], value);
}

void PutU16(FileBytes& file, std::size_t at, std::uint16_t value) {
    jet::StoreU16(&file[at], value);
}

// Where things are in a built catalogue, found with the reader's own pieces.
struct Layout {
    explicit Layout(const FileBytes& file)
        : base(file.data()), database(file), table(database.Table("Index")),
          firstDataPage(jet::TableRows(database.pages(), table).pages().front()) {}

    // Byte offset in the file of a row of a page.
    std::size_t RowOffset(std::uint32_t page, std::size_t row) const {
        const std::size_t entry = page * kPage + 14 + 2 * row;
        const jet::ByteSpan bytes = database.pages().Page(page);
        return page * kPage + (jet::LoadU16(bytes, entry - page * kPage) & 0x1fff);
    }
    // The pointer a memo field holds, and where that field lies in the file.
    std::size_t MemoFieldOffset(std::size_t row) const {
        const jet::DataPage page(database.pages(), firstDataPage);
        const jet::RowSlot slot = page.Row(row);
        const jet::RowLayout layout(database.pages(), table);
        const jet::FieldBytes field =
            jet::RowLayout::Row(layout, slot.bytes).Field(2); // Description
        return static_cast<std::size_t>(field.bytes.data() - base);
    }

    const std::uint8_t* base;
    jet::Database database;
    jet::TableDefinition table;
    std::uint32_t firstDataPage;
};

void ExpectDamaged(const FileBytes& file, const std::string& problem) {
    const std::string message = RefusalOf(file);
    EXPECT_NE(message.find("est endommagé : " + problem), std::string::npos) << message;
}

TEST(DamagedFile, ATruncatedFileIsRefusedAtEveryLength) {
    const FileBytes whole = CatalogueWithChain();
    for (std::size_t size = 0; size < whole.size(); size += kPage / 2) {
        const FileBytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_NE(RefusalOf(cut), "") << size << " bytes";
    }
    ExpectDamaged(FileBytes(whole.begin(), whole.end() - 1), "il est tronqué");
}

TEST(DamagedFile, ALongValueChainThatLoopsIsRefused) {
    FileBytes file = CatalogueWithChain();
    const Layout layout(file);
    const std::size_t field = layout.MemoFieldOffset(1);
    const std::uint32_t first = jet::LoadU32(jet::ByteSpan(file).subspan(field), 4);
    // The chain's first record points back at itself.
    PutU32(file, layout.RowOffset(jet::PointerPage(first), jet::PointerRow(first)), first);
    ExpectDamaged(file, "la suite d'un mémo boucle sur elle-même");
}

TEST(DamagedFile, AMemoPointingAnywhereButALongValueRecordIsRefused) {
    FileBytes file = CatalogueWithChain();
    const Layout layout(file);
    const std::size_t field = layout.MemoFieldOffset(1);
    PutU32(file, field + 4, jet::RowPointer(layout.firstDataPage, 0));
    ExpectDamaged(file, "un mémo renvoie à une page qui n'en contient pas");
    PutU32(file, field + 4, jet::RowPointer(0x7fffff, 0));
    ExpectDamaged(file, "une référence mène hors du fichier");
    // A length far beyond what the file could hold.
    PutU32(file, field, 0x3fffffff);
    ExpectDamaged(file, "un mémo annonce une taille plus grande que le fichier");
}

TEST(DamagedFile, AUsageMapMarkingPagesBeyondTheFileIsRefused) {
    FileBytes file = CatalogueWithChain();
    const Layout layout(file);
    const std::size_t map = layout.RowOffset(jet::PointerPage(layout.table.usageMap),
                                             jet::PointerRow(layout.table.usageMap));
    ASSERT_EQ(file[map], 0); // an inline map
    file[map + 68] = 0x80;   // its last bit
    ExpectDamaged(file, "une table de pages désigne la page");
    file[map] = 7;
    ExpectDamaged(file, "une table de pages est d'un type inconnu");
}

TEST(DamagedFile, ARowOutsideItsPageIsRefused) {
    FileBytes file = CatalogueWithChain();
    const Layout layout(file);
    PutU16(file, layout.firstDataPage * kPage + 14, 0x0004); // inside the page header
    ExpectDamaged(file, "une ligne déborde de sa page");
    PutU16(file, layout.firstDataPage * kPage + 12, 300); // more rows than a page holds
    ExpectDamaged(file, "une page de données annonce trop de lignes");
}

TEST(DamagedFile, AMovedRowThatLeadsBackToItselfIsRefused) {
    FileBytes file = CatalogueWithChain();
    const Layout layout(file);
    const std::size_t entry = layout.firstDataPage * kPage + 14;
    const std::uint16_t offset = jet::LoadU16(file, entry);
    PutU16(file, entry, static_cast<std::uint16_t>(offset | 0x4000));
    PutU32(file, layout.RowOffset(layout.firstDataPage, 0),
           jet::RowPointer(layout.firstDataPage, 0));
    ExpectDamaged(file, "une ligne déplacée renvoie sans fin d'une page à l'autre");
}

// Fewer rows than the table declares are rows lost. More are read: every page is visited once,
// so they cannot be rows read twice, and Access itself leaves the count behind at times.
TEST(DamagedFile, FewerRowsThanTheTableDeclaresAreRefusedMoreAreRead) {
    FileBytes file = CatalogueWithChain();
    const Layout layout(file);
    const std::size_t countAt = layout.table.page * kPage + jet::kJet4Layout.definitionRowCount;
    PutU32(file, countAt, 4);
    ExpectDamaged(file, "la table annonce 4 lignes mais n'en contient que 3");
    PutU32(file, countAt, 2);
    EXPECT_EQ(jet_test::ReadTable(file, "Index", {"Nom"}).size(), 3u);
}

class NullSink : public jet::RowSink {
public:
    void Row(std::span<const jet::Field>) override {}
};

TEST(DamagedFile, DamageFoundByOneOfSeveralThreadsIsThrownOnceAllHaveEnded) {
    FileBytes file = CatalogueWithChain();
    const Layout layout(file);
    PutU16(file, layout.firstDataPage * kPage + 14, 0x0004); // a row inside the page header
    NullSink first;
    NullSink second;
    const std::vector<jet::RowSink*> sinks = {&first, &second};
    const std::vector<std::size_t> columns = {0, 1, 2};
    try {
        layout.database.ReadRowsInParts(layout.table, columns, sinks);
        FAIL() << "damage read in parts";
    } catch (const jet::FormatError& error) {
        EXPECT_EQ(error.detail(), "une ligne déborde de sa page");
    }
}

TEST(DamagedFile, ATableDefinitionThatLoopsOverItsPagesIsRefused) {
    FileBytes file = CatalogueWithChain();
    const Layout layout(file);
    PutU32(file, layout.table.page * kPage + 4, layout.table.page);
    ExpectDamaged(file, "la définition d'une table boucle sur ses pages");
    PutU16(file, layout.table.page * kPage + jet::kJet4Layout.definitionColumnCount, 0xfff);
    EXPECT_NE(RefusalOf(file), "");
}

// The masked part of the database page, changed at offset `at` by xor-ing `bits`.
void FlipHeaderBits(FileBytes& file, std::size_t at, std::uint8_t bits) {
    file[at] ^= bits;
}

TEST(ProtectedFile, AnEncryptedOrPasswordProtectedDatabaseIsRefusedAsSuch) {
    FileBytes encrypted = CatalogueWithChain();
    FlipHeaderBits(encrypted, jet::header::kDatabaseKeyOffset, 0x5a);
    EXPECT_NE(RefusalOf(encrypted).find("est chiffré : ses pages sont codées"), std::string::npos);
    FileBytes password = CatalogueWithChain();
    FlipHeaderBits(password, jet::header::kPasswordOffset + 3, 0x21);
    EXPECT_NE(RefusalOf(password).find("est chiffré : la base est protégée par un mot de passe"),
              std::string::npos);
}

TEST(ProtectedFile, OtherFilesAndUnknownVersionsAreNamed) {
    FileBytes file = CatalogueWithChain();
    file[jet::header::kVersionOffset] = 9;
    EXPECT_NE(RefusalOf(file).find("sa version d'Access (9) est inconnue"), std::string::npos);
    file[jet::header::kSignatureOffset] = 'X';
    EXPECT_NE(RefusalOf(file).find("n'est pas une base de données Access"), std::string::npos);
    EXPECT_NE(RefusalOf(FileBytes(10, 0)).find("n'est pas une base de données Access"),
              std::string::npos);
}

TEST(DamagedFile, AnyByteSpoiltGivesTheRowsOrAMessage) {
    // Every 61st byte of a small catalogue set to 0xFF in turn: the reader answers each with
    // rows or a FormatError, never anything else (the sanitizer builds watch its memory).
    const FileBytes whole = CatalogueWithChain();
    std::size_t refused = 0;
    for (std::size_t at = 0; at < whole.size(); at += 61) {
        FileBytes file = whole;
        file[at] = static_cast<std::uint8_t>(~file[at]);
        try {
            jet_test::ReadTable(file, "Index");
        } catch (const jet::FormatError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0u);
}

} // namespace
