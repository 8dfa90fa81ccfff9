// Where the single-instance lock lives and how it is taken: only in folders of the user's own that
// no one else can write, never through a link, one holder at a time.

#include "linux/single_instance.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::ChooseLockFolder;
using platform::LockName;
using platform::TakeLockIn;
namespace fs = std::filesystem;

TEST(SingleInstanceLock, LivesInTheFirstFolderOfTheUsersOwnThatNoOneElseCanWrite) {
    const QTemporaryDir root;
    const std::string base = root.path().toStdString();
    const unsigned uid = getuid();
    const std::string runtime = base + "/run-user";
    const std::string temp = base + "/tmp-own";
    ASSERT_EQ(mkdir(runtime.c_str(), 0700), 0);

    EXPECT_EQ(ChooseLockFolder(uid, runtime, temp), runtime);
    EXPECT_FALSE(fs::exists(temp));

    // A runtime folder that others can write, that is a link, or that is missing: the user's
    // own folder in the temporary folder, made private.
    ASSERT_EQ(chmod(runtime.c_str(), 0775), 0);
    EXPECT_EQ(ChooseLockFolder(uid, runtime, temp), temp);
    struct stat made {};
    ASSERT_EQ(stat(temp.c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0700u);
    ASSERT_EQ(chmod(runtime.c_str(), 0700), 0);
    fs::create_directory_symlink(runtime, base + "/link");
    EXPECT_EQ(ChooseLockFolder(uid, base + "/link", temp), temp);
    EXPECT_EQ(ChooseLockFolder(uid, base + "/absent", temp), temp);

    // Folders that belong to someone else count for nothing, whoever made them first.
    EXPECT_EQ(ChooseLockFolder(uid + 1, runtime, temp), "");
    ASSERT_EQ(chmod(temp.c_str(), 0777), 0);
    EXPECT_EQ(ChooseLockFolder(uid, base + "/absent", temp), "");
}

TEST(SingleInstanceLock, OneHolderAtATimeAndNoLinkFollowed) {
    const QTemporaryDir root;
    const std::string base = root.path().toStdString();
    const unsigned uid = getuid();
    EXPECT_TRUE(TakeLockIn(base + "/first.lock", uid));
    EXPECT_FALSE(TakeLockIn(base + "/first.lock", uid)) << "a second holder";

    // A lock file that is a link is neither followed nor proof of another copy.
    fs::create_symlink(base + "/target", base + "/link.lock");
    EXPECT_TRUE(TakeLockIn(base + "/link.lock", uid));
    EXPECT_FALSE(fs::exists(base + "/target"));
    // A lock file of someone else's is not held.
    EXPECT_TRUE(TakeLockIn(base + "/other.lock", uid + 1));
    EXPECT_TRUE(TakeLockIn(base + "/other.lock", uid));
}

TEST(SingleInstanceLock, OneLockPerDisplay) {
    EXPECT_EQ(LockName(nullptr, ":0"), "orvane-zelkis-_0.lock");
    EXPECT_EQ(LockName("", ":0.1"), LockName(nullptr, ":0")) << "screens of one display";
    EXPECT_NE(LockName(nullptr, ":1"), LockName(nullptr, ":0"));
    EXPECT_EQ(LockName(nullptr, "host.example:10.0"), "orvane-zelkis-host_example_10.lock");
    EXPECT_EQ(LockName("wayland-0", ":0"), "orvane-zelkis-wayland-0.lock");
    EXPECT_EQ(LockName("../../x", nullptr), "orvane-zelkis-______x.lock") << "no folder escapes";
    EXPECT_EQ(LockName(nullptr, nullptr), "orvane-zelkis.lock");
}

} // namespace
