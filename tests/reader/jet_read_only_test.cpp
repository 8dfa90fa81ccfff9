// Reading never writes: the file keeps its bytes and its times, it is held mapped for reading
// only, and the last table or database to go releases it.

#include "catalogue/jet_error.h"
#include "jet_test_files.h"
#include "reader/libmdb/jet_database.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using reader::JetDatabase;

struct FileState {
    std::string bytes;
    timespec modified;
    timespec changed;
};

FileState stateOf(const std::filesystem::path& file) {
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0);
    return {jet_test::readFile(file), info.st_mtim, info.st_ctim};
}

void expectSameState(const FileState& before, const FileState& after) {
    EXPECT_TRUE(before.bytes == after.bytes);
    EXPECT_EQ(before.modified.tv_sec, after.modified.tv_sec);
    EXPECT_EQ(before.modified.tv_nsec, after.modified.tv_nsec);
    EXPECT_EQ(before.changed.tv_sec, after.changed.tv_sec);
    EXPECT_EQ(before.changed.tv_nsec, after.changed.tv_nsec);
}

void readEverything(const std::filesystem::path& file) {
    const JetDatabase database(file);
    for (const auto& name : database.tableNames()) {
        auto table = database.openTable(name);
        std::vector<std::string> fields;
        for (const auto& column : table.columns()) {
            if (column.type != reader::JetType::Ole && column.type != reader::JetType::Binary) {
                fields.push_back(column.name);
            }
        }
        table.readAll(fields);
    }
}

// The access modes of this process's open descriptors of file, from /proc.
// How this process holds the file: each descriptor open on it by its access mode ("O_RDONLY",
// "O_WRONLY", "O_RDWR"), and each mapping of it by its permissions ("r--p": read only, private).
std::vector<std::string> holdsOf(const std::filesystem::path& file) {
    std::vector<std::string> holds;
    const auto target = std::filesystem::canonical(file);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) != target) {
            continue;
        }
        std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
        std::string key;
        std::string flags;
        while (info >> key >> flags && key != "flags:") {
        }
        const int mode = int(std::stoul(flags, nullptr, 8)) & O_ACCMODE;
        holds.push_back(mode == O_RDONLY ? "O_RDONLY" : mode == O_WRONLY ? "O_WRONLY" : "O_RDWR");
    }
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        std::istringstream fields(line);
        std::string range, permissions, offset, device, inode, path;
        fields >> range >> permissions >> offset >> device >> inode >> path;
        if (path == target.string()) {
            holds.push_back(permissions);
        }
    }
    return holds;
}

TEST(JetReadOnly, ReadingKeepsBytesAndTimes) {
    const jet_test::TempFolder folder;
    std::vector<std::filesystem::path> files{
        jet_test::buildFrom(folder, jet_test::manyEntries(300))};
    // Files written by Access too, when they lie beside the repository.
    if (jet_test::haveFixtures()) {
        for (const char* name : {"nwind.mdb", "DateTestDatabase.mdb", "ASampleDatabase.accdb"}) {
            files.push_back(jet_test::copyFixture(folder, name));
        }
    }
    for (const auto& file : files) {
        const FileState before = stateOf(file);
        readEverything(file);
        expectSameState(before, stateOf(file));
    }
}

TEST(JetReadOnly, FileIsMappedForReadingOnlyAndReleasedByTheLastOwner) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(3));
    std::optional<reader::JetTable> table;
    {
        const JetDatabase database(file);
        EXPECT_EQ(holdsOf(file), std::vector<std::string>{"r--p"});
        table.emplace(database.openTable("Index"));
    }
    // The table keeps the file mapped after the database object is gone.
    EXPECT_EQ(holdsOf(file), std::vector<std::string>{"r--p"});
    EXPECT_EQ(table->readAll({"Nom"}).rowCount(), 3u);
    table.reset();
    EXPECT_TRUE(holdsOf(file).empty());
}

TEST(JetReadOnly, FailedOpeningLeavesNothingOpen) {
    const jet_test::TempFolder folder;
    const auto file = jet_test::buildFrom(folder, jet_test::manyEntries(3));
    std::string bytes = jet_test::readFile(file);
    // Page 2 holds the definition of the catalogue table, which opening reads.
    std::fill(bytes.begin() + 2 * 4096, bytes.begin() + 3 * 4096, '\0');
    jet_test::writeFile(file, bytes);
    try {
        JetDatabase database(file);
        ADD_FAILURE() << "opened";
    } catch (const catalogue::JetError& error) {
        EXPECT_EQ(error.kind(), catalogue::JetError::Kind::Damaged) << error.what();
    }
    EXPECT_TRUE(holdsOf(file).empty());
}

} // namespace
