// What only Windows does to a catalogue: another program holding it open, shared or locked.

#include "system/file_identity.h"
#include "system/mapped_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

namespace {

class CatalogueFileTest : public testing::Test {
protected:
    void SetUp() override {
        path = std::filesystem::temp_directory_path() /
               ("orvane-windows-" + std::to_string(GetCurrentProcessId()) + ".MDB");
        std::ofstream(path, std::ios::binary) << "Standard Jet DB";
    }
    void TearDown() override { std::filesystem::remove(path); }

    HANDLE openBy(DWORD access, DWORD sharing) const {
        return CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    std::filesystem::path path;
};

TEST_F(CatalogueFileTest, AFileLockedByAnotherProgramIsBusyNotMissing) {
    const HANDLE locked = openBy(GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    try {
        sys::MappedFile mapped(path);
        FAIL() << "a locked file was mapped";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), std::errc::device_or_resource_busy);
    }
    // Its identity is still known: asking for attributes is never refused by a lock.
    EXPECT_TRUE(sys::IdentifyFile(path).exists);
    CloseHandle(locked);
}

TEST_F(CatalogueFileTest, AFileAnotherProgramHasOpenForWritingIsStillRead) {
    const HANDLE writer = openBy(GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const sys::MappedFile mapped(path);
    ASSERT_EQ(mapped.size(), 15u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mapped.data()), mapped.size()),
              "Standard Jet DB");
    CloseHandle(writer);
}

TEST_F(CatalogueFileTest, AMissingFolderIsAMissingFile) {
    try {
        sys::MappedFile mapped(path.parent_path() / "pas-de-dossier" / "base.MDB");
        FAIL() << "a missing file was mapped";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    }
    EXPECT_FALSE(sys::IdentifyFile(path.parent_path() / "pas-de-dossier" / "base.MDB").exists);
}

} // namespace
