// Files that cannot be read, tables and fields that are not there: each a JetError of its own
// kind, with a French message that names the file and the missing name.

#include "catalogue/jet_error.h"
#include "jet_test_files.h"
#include "reader/libmdb/jet_database.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using catalogue::JetError;
using reader::JetDatabase;
using Kind = catalogue::JetError::Kind;

// Runs action, which must throw a JetError of that kind; gives its message.
std::string failure(const std::function<void()>& action, Kind kind) {
    try {
        action();
    } catch (const JetError& error) {
        EXPECT_EQ(error.kind(), kind) << error.what();
        return error.what();
    }
    ADD_FAILURE() << "no JetError";
    return {};
}

std::string openFailure(const std::filesystem::path& file, Kind kind) {
    return failure([&] { JetDatabase database(file); }, kind);
}

// Opens the file and reads every text field of every table.
void readEverything(const std::filesystem::path& file) {
    const JetDatabase database(file);
    for (const auto& name : database.tableNames()) {
        auto table = database.openTable(name);
        std::vector<std::string> fields;
        for (const auto& column : table.columns()) {
            if (column.type == reader::JetType::Text || column.type == reader::JetType::Memo) {
                fields.push_back(column.name);
            }
        }
        table.readRows(fields, [](reader::JetTable::RowValues) {});
    }
}

TEST(JetErrors, MissingFile) {
    const jet_test::TempFolder folder;
    const auto file = folder / "base.MDB";
    EXPECT_EQ(openFailure(file, Kind::Missing),
              "Le fichier «\u00a0" + file.string() + "\u00a0» est introuvable.");
    EXPECT_NE(openFailure(folder / "absent" / "base.MDB", Kind::Missing).find("introuvable"),
              std::string::npos);
}

TEST(JetErrors, FolderInsteadOfFile) {
    const jet_test::TempFolder folder;
    EXPECT_EQ(openFailure(folder.path(), Kind::NotAFile),
              "Le chemin «\u00a0" + folder.path().string() + "\u00a0» ne désigne pas un fichier.");
}

TEST(JetErrors, FilesThatAreNotJetDatabases) {
    const jet_test::TempFolder folder;
    jet_test::writeFile(folder / "empty.MDB", "");
    jet_test::writeFile(folder / "text.MDB", "Nom,cd,Description\nJeu,CD 1,Un jeu\n");
    jet_test::writeFile(folder / "zeros.MDB", std::string(8192, '\0'));
    for (const char* name : {"empty.MDB", "text.MDB", "zeros.MDB"}) {
        EXPECT_EQ(openFailure(folder / name, Kind::NotJet),
                  "Le fichier «\u00a0" + (folder / name).string() +
                      "\u00a0» n'est pas une base de données Access (Jet).");
    }
}

TEST(JetErrors, UnknownJetVersion) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(1));
    std::string bytes = jet_test::readFile(file);
    bytes[0x14] = 9;
    jet_test::writeFile(file, bytes);
    EXPECT_NE(openFailure(file, Kind::Unsupported).find("version inconnue (9)"), std::string::npos);
}

TEST(JetErrors, FileCutInsideAPage) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(300));
    const std::string bytes = jet_test::readFile(file);
    jet_test::writeFile(file, bytes.substr(0, bytes.size() / 2 + 100));
    EXPECT_EQ(openFailure(file, Kind::Damaged),
              "Le fichier «\u00a0" + file.string() + "\u00a0» est endommagé : il est tronqué.");
}

TEST(JetErrors, FileCutAtAPageBoundaryLosesNoRowSilently) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(300));
    const std::string bytes = jet_test::readFile(file);
    jet_test::writeFile(file, bytes.substr(0, bytes.size() - 4096));
    const std::string message = failure([&] { readEverything(file); }, Kind::Damaged);
    EXPECT_NE(message.find("il manque des lignes à la table «\u00a0Index\u00a0»"),
              std::string::npos)
        << message;
}

TEST(JetErrors, PagesOverwrittenWithZerosAreReportedAsDamage) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(300));
    std::string bytes = jet_test::readFile(file);
    // The pages around the middle of the file hold rows of Index.
    const std::size_t middle = bytes.size() / 4096 / 2;
    std::fill(bytes.begin() + std::ptrdiff_t(middle - 2) * 4096,
              bytes.begin() + std::ptrdiff_t(middle + 2) * 4096, '\0');
    jet_test::writeFile(file, bytes);
    failure([&] { readEverything(file); }, Kind::Damaged);
}

TEST(JetErrors, MissingTableNamesTableAndFile) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(1));
    const JetDatabase database(file);
    EXPECT_EQ(failure([&] { database.openTable("Tarifs"); }, Kind::TableMissing),
              "La table «\u00a0Tarifs\u00a0» est absente du fichier «\u00a0" + file.string() +
                  "\u00a0».");
}

TEST(JetErrors, MissingFieldNamesFieldTableAndFile) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(1));
    const JetDatabase database(file);
    // The table is found whatever the letter case; the message gives its own name.
    auto table = database.openTable("index");
    bool called = false;
    const auto read = [&] {
        table.readRows({"Nom", "Prix"}, [&](reader::JetTable::RowValues) { called = true; });
    };
    EXPECT_EQ(failure(read, Kind::FieldMissing),
              "Le champ «\u00a0Prix\u00a0» est absent de la table «\u00a0Index\u00a0» du "
              "fichier «\u00a0" +
                  file.string() + "\u00a0».");
    EXPECT_FALSE(called);
}

TEST(JetErrors, OleFieldIsNotText) {
    REQUIRE_JET_FIXTURES();
    const JetDatabase database(jet_test::fixturesFolder() / "nwind.mdb");
    auto table = database.openTable("Categories");
    const std::string message = failure([&] { table.readAll({"picture"}); }, Kind::FieldNotText);
    EXPECT_NE(message.find("Le champ «\u00a0Picture\u00a0» de la table «\u00a0Categories\u00a0»"),
              std::string::npos);
    EXPECT_NE(message.find("ne contient pas de texte"), std::string::npos);
}

} // namespace
