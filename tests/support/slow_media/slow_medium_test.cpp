// The slow medium's stalls, without mounting it: a read that reaches the armed offset waits, with
// every later read of a stalled file, until woken; other files and earlier offsets pass; the
// status file tells a test what happens.

#include "slow_medium.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <stdlib.h>
#include <thread>

using slow_media::MediumSettings;
using slow_media::SlowMedium;

namespace {

class SlowMediumTest : public ::testing::Test {
protected:
    SlowMediumTest() {
        settings.stalledFile = "base.MDB";
        settings.statusFile = (folder / "status").string();
    }
    ~SlowMediumTest() override { std::filesystem::remove_all(folder); }

    std::string said(const std::string& key) const {
        std::ifstream status(settings.statusFile);
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind(key + "=", 0) == 0) {
                return line.substr(key.size() + 1);
            }
        }
        return "(absent)";
    }

    // Starts a read on a thread of its own; the future is ready once it was let through.
    std::future<void> readAway(SlowMedium& medium, std::uint64_t offset) {
        return std::async(std::launch::async,
                          [&medium, offset] { medium.awaitRead("base.MDB", offset, 4096); });
    }

    // Waits, however long it takes, until the status says that many reads wait.
    void awaitWaiting(const std::string& count) const {
        while (said("waiting") != count) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "slow-medium.XXXXXX").string();
        return std::filesystem::path(::mkdtemp(pattern.data()));
    }();
    MediumSettings settings;
};

} // namespace

TEST_F(SlowMediumTest, ReadsBeforeTheArmedOffsetAndOtherFilesPassAtOnce) {
    settings.stallFrom = 8192;
    SlowMedium medium(settings);
    EXPECT_EQ(said("state"), "armed");
    medium.awaitRead("base.MDB", 0, 4096);
    medium.deliver("base.MDB", 4096);
    medium.awaitRead("orvane", 65536, 4096);
    medium.deliver("orvane", 4096);
    EXPECT_EQ(said("state"), "armed");
    EXPECT_EQ(said("bytes"), "4096") << "only the stalled file's bytes count";
}

TEST_F(SlowMediumTest, AStallHoldsEveryReadOfTheFileUntilWoken) {
    SlowMedium medium(settings);
    medium.deliver("base.MDB", 4096);
    medium.arm(8192);
    medium.deliver("base.MDB", 4096);
    auto reaching = readAway(medium, 4096); // bytes 4096 to 8191 stop short of the offset
    reaching.wait();
    auto first = readAway(medium, 8192);
    awaitWaiting("1");
    EXPECT_EQ(said("state"), "stalled");
    auto earlier = readAway(medium, 0); // the disk sleeps: nothing of the file comes
    awaitWaiting("2");
    EXPECT_EQ(said("bytes_before_stall"), "4096");

    medium.wake();
    first.wait();
    earlier.wait();
    EXPECT_EQ(said("waiting"), "0");
    EXPECT_EQ(said("state"), "idle");
    EXPECT_EQ(said("stalls"), "1");
    medium.awaitRead("base.MDB", 8192, 4096); // the stall is over until armed again
}

TEST_F(SlowMediumTest, ArmingAgainReleasesTheStallUnderWay) {
    settings.stallFrom = 0;
    SlowMedium medium(settings);
    auto held = readAway(medium, 0);
    awaitWaiting("1");
    medium.arm(1 << 20);
    held.wait();
    EXPECT_EQ(said("state"), "armed");
    EXPECT_EQ(said("stalls"), "1");
}
