// Building a catalogue file from end to end: refusals leave nothing behind and never touch an
// existing database; the same input always gives the same bytes.

#include "catalogue_tool/catalogue_build.h"
#include "catalogue_tool/errors.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

using jet_writer::BuildCatalogue;
using test_files::readFile;
using test_files::TempFolder;
using test_files::writeFile;

namespace {

const std::string validCsv = "Nom,cd,Description\n\"Jeu de l'oie\",CD1,\"Un jeu, classique\"\n";

struct Refusal {
    const char* what;
    std::string csv;
};

const std::vector<Refusal> refusals = {
    {"unknown column", "Nom,cd,Description,Prix\na,b,c,d\n"},
    {"missing column", "Nom,cd\na,b\n"},
    {"too many fields", "Nom,cd,Description\na,b,c\na,b,c,d\n"},
    {"too few fields", "Nom,cd,Description\na,b\n"},
    {"Nom too long", "Nom,cd,Description\n" + std::string(256, 'n') + ",b,c\n"},
    {"cd too long", "Nom,cd,Description\na," + std::string(256, 'c') + ",c\n"},
    {"invalid UTF-8", "Nom,cd,Description\na,b,c\xff\n"},
    {"unclosed quote", "Nom,cd,Description\na,b,\"c\n"},
    {"empty file", ""},
    // A fault after many rows: the partly written file must go too.
    {"late fault", "Nom,cd,Description\n" +
                       [] {
                           std::string rows;
                           for (int i = 0; i < 5000; ++i)
                               rows += "Nom " + std::to_string(i) + ",cd," + std::string(300, 'd') +
                                       "\n";
                           return rows + "a,b\n";
                       }()},
};

} // namespace

TEST(CatalogueBuild, RefusalsLeaveNoFileAndAnExistingDatabaseUntouched) {
    TempFolder good;
    writeFile(good / "good.csv", validCsv);
    BuildCatalogue(good / "good.csv", good / "base.MDB");
    const std::string existing = readFile(good / "base.MDB");
    for (const Refusal& refusal : refusals) {
        TempFolder folder;
        writeFile(folder / "bad.csv", refusal.csv);
        EXPECT_THROW(BuildCatalogue(folder / "bad.csv", folder / "base.MDB"),
                     jet_writer::InputError)
            << refusal.what;
        EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"bad.csv"}) << refusal.what;
        writeFile(folder / "base.MDB", existing);
        EXPECT_ANY_THROW(BuildCatalogue(folder / "bad.csv", folder / "base.MDB")) << refusal.what;
        EXPECT_EQ(readFile(folder / "base.MDB"), existing) << refusal.what;
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"bad.csv", "base.MDB"}))
            << refusal.what;
    }
}

// Every refusal says in French what the system answered, with the file's name.
TEST(CatalogueBuild, FileFaultsAreRefusedWithoutDamage) {
    TempFolder folder;
    writeFile(folder / "catalogue.csv", validCsv);
    const auto refusal = [&](const std::filesystem::path& source,
                             const std::filesystem::path& target) {
        try {
            BuildCatalogue(source, target);
        } catch (const jet_writer::FileError& error) {
            return std::string(error.what());
        }
        ADD_FAILURE() << "built " << target;
        return std::string();
    };
    EXPECT_EQ(refusal(folder / "absent.csv", folder / "base.MDB"),
              "impossible d'ouvrir « " + (folder / "absent.csv").string() +
                  " » : fichier ou dossier introuvable");
    EXPECT_EQ(refusal(folder / "catalogue.csv", folder / "absent" / "base.MDB"),
              "impossible de créer un fichier dans le dossier de « " +
                  (folder / "absent" / "base.MDB").string() +
                  " » : fichier ou dossier introuvable");
    EXPECT_NE(refusal(folder / "catalogue.csv", folder / "catalogue.csv").find("lui-même"),
              std::string::npos);
    EXPECT_EQ(readFile(folder / "catalogue.csv"), validCsv);
    std::filesystem::create_directory(folder / "base.MDB");
    EXPECT_EQ(refusal(folder / "catalogue.csv", folder / "base.MDB"),
              "impossible de remplacer « " + (folder / "base.MDB").string() +
                  " » : c'est un dossier");
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"base.MDB", "catalogue.csv"}));
}

// The replacement keeps the replaced file's mode; a link is written through, to the file it
// points at; a name as long as a folder allows still leaves room for the file on its way.
TEST(CatalogueBuild, ReplacingKeepsTheModeFollowsLinksAndTakesLongNames) {
    namespace fs = std::filesystem;
    TempFolder folder;
    writeFile(folder / "catalogue.csv", validCsv);
    writeFile(folder / "base.MDB", "an older file");
    fs::permissions(folder / "base.MDB",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    BuildCatalogue(folder / "catalogue.csv", folder / "base.MDB");
    EXPECT_EQ(fs::status(folder / "base.MDB").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::create_directory(folder / "real");
    fs::create_symlink("real/base.MDB", folder / "link.MDB");
    BuildCatalogue(folder / "catalogue.csv", folder / "link.MDB"); // no file behind it yet
    writeFile(folder / "real" / "base.MDB", "an older file");
    BuildCatalogue(folder / "catalogue.csv", folder / "link.MDB");
    EXPECT_TRUE(fs::is_symlink(folder / "link.MDB"));
    EXPECT_EQ(readFile(folder / "real" / "base.MDB"), readFile(folder / "base.MDB"));

    const std::string longName =
        std::string(240, 'e') + "\xc3\xa9\xc3\xa9\xc3\xa9.MDB"; // 255 bytes
    BuildCatalogue(folder / "catalogue.csv", folder / longName);
    BuildCatalogue(folder / "catalogue.csv", folder / longName);
    EXPECT_EQ(readFile(folder / longName), readFile(folder / "base.MDB"));
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"base.MDB", "catalogue.csv", longName,
                                                            "link.MDB", "real"}));
}

// Folder permissions do not bind root: while one of these lives, a process run as root reaches
// files as the user nobody, so that they do.
class PermissionsApply {
public:
    PermissionsApply() : root_(::geteuid() == 0) {
        if (root_) {
            ::setfsgid(kNobody);
            ::setfsuid(kNobody);
        }
    }
    ~PermissionsApply() {
        if (root_) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    PermissionsApply(const PermissionsApply&) = delete;
    PermissionsApply& operator=(const PermissionsApply&) = delete;

private:
    static constexpr unsigned kNobody = 65534;
    bool root_;
};

TEST(CatalogueBuild, ReadOnlyFolderIsRefusedAndLeftAlone) {
    TempFolder folder;
    writeFile(folder / "catalogue.csv", validCsv);
    using std::filesystem::perms;
    std::filesystem::permissions(folder / "catalogue.csv",
                                 perms::owner_read | perms::group_read | perms::others_read);
    std::filesystem::permissions(folder.path(), perms::owner_read | perms::owner_exec |
                                                    perms::group_read | perms::group_exec |
                                                    perms::others_read | perms::others_exec);
    const PermissionsApply permissionsApply;
    if (std::FILE* probe = std::fopen((folder / "probe").c_str(), "w")) {
        std::fclose(probe); // running with rights that ignore permissions
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }
    EXPECT_THROW(BuildCatalogue(folder / "catalogue.csv", folder / "base.MDB"),
                 jet_writer::FileError);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"catalogue.csv"});
}

TEST(CatalogueBuild, ReplacesAnExistingDatabaseOnSuccess) {
    TempFolder folder;
    writeFile(folder / "base.MDB", "an older file");
    writeFile(folder / "catalogue.csv", validCsv);
    EXPECT_EQ(BuildCatalogue(folder / "catalogue.csv", folder / "base.MDB"), 1u);
    EXPECT_EQ(readFile(folder / "base.MDB").size() % 4096, 0u);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"base.MDB", "catalogue.csv"}));
}

TEST(CatalogueBuild, SameInputGivesTheSameBytes) {
    TempFolder first;
    TempFolder second;
    std::string csv = "Nom,cd,Description\n";
    for (int i = 0; i < 2000; ++i)
        csv += "\"Entrée " + std::to_string(i) + "\",CD," + std::string(i % 5 * 900, 'x') + "\n";
    writeFile(first / "a.csv", csv);
    writeFile(second / "b.csv", csv);
    BuildCatalogue(first / "a.csv", first / "base.MDB");
    BuildCatalogue(second / "b.csv", second / "autre.mdb");
    EXPECT_EQ(readFile(first / "base.MDB"), readFile(second / "autre.mdb"));
}
