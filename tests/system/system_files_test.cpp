// The files the core asks the system about: a mapped file's bytes, the program's folder, and
// what tells a replaced file apart.

#include "system/file_identity.h"
#include "system/mapped_file.h"
#include "system/program_folder.h"
#include "system/utf8_path.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <system_error>

namespace {

void write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

} // namespace

TEST(MappedFileTest, HoldsTheFilesBytes) {
    const TempFolder folder;
    write(folder.file("data"), std::string("ab\0cd", 5));
    const sys::MappedFile mapped(folder.file("data"));
    ASSERT_EQ(mapped.size(), 5u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mapped.data()), 5),
              std::string("ab\0cd", 5));
}

TEST(MappedFileTest, MissingOrEmptyFilesAreSystemErrors) {
    const TempFolder folder;
    EXPECT_THROW(sys::MappedFile(folder.file("missing")), std::system_error);
    write(folder.file("empty"), "");
    EXPECT_THROW(sys::MappedFile(folder.file("empty")), std::system_error);
    EXPECT_THROW(sys::MappedFile(folder.path()), std::system_error) << "a folder";
}

TEST(ProgramFolderTest, HoldsTheRunningProgram) {
    const std::filesystem::path folder = sys::ProgramFolder();
    EXPECT_TRUE(
        std::filesystem::exists(folder / (std::string("system_tests") + sys::kProgramSuffix)))
        << folder;
}

TEST(FileIdentityTest, AReplacedFileIsToldApartEvenWithTheSameSizeAndTime) {
    const TempFolder folder;
    const std::filesystem::path file = folder.file("base.MDB");
    EXPECT_FALSE(sys::IdentifyFile(file).exists);
    write(file, "premier");
    const sys::FileIdentity first = sys::IdentifyFile(file);
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.size, 7u);
    EXPECT_EQ(sys::IdentifyFile(file), first);

    write(folder.file("copie"), "second!");
    std::filesystem::last_write_time(folder.file("copie"), std::filesystem::last_write_time(file));
    std::filesystem::rename(folder.file("copie"), file);
    EXPECT_NE(sys::IdentifyFile(file), first);
}

TEST(Utf8PathTest, TextAndPathsRoundTrip) {
    const std::string name = "Catalogue été €.MDB";
    EXPECT_EQ(sys::Utf8Of(sys::PathFromUtf8(name)), name);
}
