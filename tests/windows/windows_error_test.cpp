// Windows' error codes become the portable conditions the core answers with its French
// messages: a missing, refused or locked catalogue each keeps its own meaning.

#include "system/windows/windows_error.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(WindowsErrorTest, FileTroublesKeepTheirMeaning) {
    EXPECT_EQ(sys::ErrnoOf(ERROR_FILE_NOT_FOUND), ENOENT);
    EXPECT_EQ(sys::ErrnoOf(ERROR_PATH_NOT_FOUND), ENOENT);
    EXPECT_EQ(sys::ErrnoOf(ERROR_BAD_NETPATH), ENOENT);
    EXPECT_EQ(sys::ErrnoOf(ERROR_ACCESS_DENIED), EACCES);
    EXPECT_EQ(sys::ErrnoOf(ERROR_SHARING_VIOLATION), EBUSY);
    EXPECT_EQ(sys::ErrnoOf(ERROR_LOCK_VIOLATION), EBUSY);
    EXPECT_EQ(sys::ErrnoOf(ERROR_NOT_ENOUGH_MEMORY), ENOMEM);
    EXPECT_EQ(sys::ErrnoOf(ERROR_OUTOFMEMORY), ENOMEM);
}

TEST(WindowsErrorTest, AnUnknownCodeIsAnInputOutputError) {
    EXPECT_EQ(sys::ErrnoOf(ERROR_CRC), EIO);
    EXPECT_EQ(sys::ErrnoOf(0xFFFFu), EIO);
}

TEST(WindowsErrorTest, TheLastErrorIsThrownAsAPortableCondition) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    try {
        sys::ThrowLastError("CreateFileW");
        FAIL() << "nothing thrown";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
        EXPECT_NE(std::string(error.what()).find("CreateFileW"), std::string::npos);
    }
}

} // namespace
