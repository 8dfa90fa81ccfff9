// The reading helper's work, as the program receives it: the rows of a table through the row
// stream, or one French message that names the file, the table or the field; damage found after
// some rows leaves none of them kept; the file is read through a read-only mapping and left as
// it was.

#include "catalogue/catalogue_rows.h"
#include "catalogue/row_stream.h"
#include "jet_test_files.h"
#include "reader/catalogue_export.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

using State = catalogue::RowStreamReader::State;

struct Outcome {
    State state;
    std::string message;
    catalogue::CatalogueRows rows;
};

Outcome exportOf(const std::filesystem::path& file, const std::string& table = "Index",
                 const std::vector<std::string>& fields = {"Nom", "cd", "Description"}) {
    Outcome outcome{State::Reading, {}, catalogue::CatalogueRows(fields)};
    catalogue::RowStreamReader stream(outcome.rows);
    catalogue::RowStreamWriter out([&](std::string_view bytes) { stream.feed(bytes); });
    reader::ExportCatalogueTable(file, table, fields, out);
    outcome.state = stream.state();
    outcome.message = stream.message();
    return outcome;
}

std::string refusalOf(const std::filesystem::path& file, const std::string& table = "Index",
                      const std::vector<std::string>& fields = {"Nom", "cd", "Description"}) {
    const Outcome outcome = exportOf(file, table, fields);
    EXPECT_EQ(outcome.state, State::Failed);
    return outcome.message;
}

std::string quoted(const std::filesystem::path& file) {
    return "«\u00a0" + file.string() + "\u00a0»";
}

TEST(CatalogueExport, RowsComeInTableOrderWithNullsApartFromEmptyTexts) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, "Nom,cd,Description\n"
                                                  "Échecs,,\"\"\n"
                                                  "Jeu de l'oie,CD 1,Un jeu 😀\n");
    const Outcome outcome = exportOf(file, "index", {"description", "NOM"});
    ASSERT_EQ(outcome.state, State::Finished) << outcome.message;
    ASSERT_EQ(outcome.rows.rowCount(), 2u);
    EXPECT_EQ(outcome.rows.value(0, 0), std::optional<std::string>(""));
    EXPECT_EQ(outcome.rows.value(0, 1), std::optional<std::string>("Échecs"));
    EXPECT_EQ(outcome.rows.value(1, 0), std::optional<std::string>("Un jeu 😀"));
}

TEST(CatalogueExport, FilesThatCannotBeReadAreNamedWithTheReason) {
    const jet_test::TempFolder folder;
    EXPECT_EQ(refusalOf(folder / "base.MDB"),
              "Le fichier " + quoted(folder / "base.MDB") + " est introuvable.");
    EXPECT_EQ(refusalOf(folder.path()),
              "Le chemin " + quoted(folder.path()) + " ne désigne pas un fichier.");
    jet_test::writeFile(folder / "text.MDB", "Nom,cd,Description\nJeu,CD 1,Un jeu\n");
    jet_test::writeFile(folder / "zeros.MDB", std::string(8192, '\0'));
    for (const char* name : {"text.MDB", "zeros.MDB"}) {
        EXPECT_EQ(refusalOf(folder / name), "Le fichier " + quoted(folder / name) +
                                                " n'est pas une base de données Access (Jet).");
    }
}

TEST(CatalogueExport, MissingTableAndFieldAreNamedWithTheFile) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(3));
    EXPECT_EQ(refusalOf(file, "Tarifs"),
              "La table «\u00a0Tarifs\u00a0» est absente du fichier " + quoted(file) + ".");
    EXPECT_EQ(refusalOf(file, "Index", {"Nom", "Prix"}),
              "Le champ «\u00a0Prix\u00a0» est absent de la table «\u00a0Index\u00a0» du fichier " +
                  quoted(file) + ".");
}

TEST(CatalogueExport, UnknownVersionAndCutFileAreRefused) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(300));
    const std::string bytes = jet_test::readFile(file);
    std::string newer = bytes;
    newer[0x14] = 9;
    jet_test::writeFile(file, newer);
    EXPECT_NE(refusalOf(file).find("version inconnue (9)"), std::string::npos);
    jet_test::writeFile(file, bytes.substr(0, bytes.size() / 2 + 100));
    EXPECT_EQ(refusalOf(file), "Le fichier " + quoted(file) + " est endommagé : il est tronqué.");
}

// The last pages hold the last rows: cut there, the rows read before are not kept.
TEST(CatalogueExport, DamageFoundAfterSomeRowsKeepsNoneOfThem) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(300));
    const std::string bytes = jet_test::readFile(file);
    jet_test::writeFile(file, bytes.substr(0, bytes.size() - 4096));
    const Outcome outcome = exportOf(file);
    EXPECT_EQ(outcome.state, State::Failed);
    EXPECT_EQ(outcome.message.rfind("Le fichier " + quoted(file) + " est endommagé : ", 0), 0u)
        << outcome.message;
}

TEST(CatalogueExport, ColumnsOfATypeNotReadAreRefusedByName) {
    REQUIRE_JET_FIXTURES();
    const jet_test::TempFolder folder;
    const auto file = jet_test::copyFixture(folder, "nwind.mdb");
    const std::string message = refusalOf(file, "Categories", {"CategoryName", "picture"});
    EXPECT_EQ(message.rfind("Le fichier " + quoted(file) + " ne peut pas être lu : ", 0), 0u)
        << message;
    EXPECT_NE(message.find("«\u00a0Picture\u00a0»"), std::string::npos) << message;
}

TEST(CatalogueExport, ReadingLeavesTheFileAsItWas) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(300));
    ::chmod(file.c_str(), 0444);
    struct stat before {};
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    const std::string bytes = jet_test::readFile(file);
    EXPECT_EQ(exportOf(file).rows.rowCount(), 300u);
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_TRUE(jet_test::readFile(file) == bytes);
    EXPECT_EQ(before.st_mtim.tv_sec, after.st_mtim.tv_sec);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    EXPECT_EQ(before.st_ctim.tv_nsec, after.st_ctim.tv_nsec);
}

} // namespace
