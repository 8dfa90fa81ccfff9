// A catalogue on a mounted slow medium (slow_media, where FUSE can be used) whose disk does not
// answer: the read is given up at its allowance although its helper still waits for the disk,
// nobody waits for that helper, and once the disk answers the next read reads the file.

#include "catalogue/catalogue_store.h"
#include "catalogue/data_control.h"
#include "catalogue_files.h"
#include "system/child_process.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// The folder of a catalogue shown read-only at a mount point by slow_media, which stalls reads of
// base.MDB from its second page on until told to wake, a page at a time: the helper's look at the
// header passes, and the pages it maps then wait in the kernel, where even a killed process stays
// until the disk answers.
class StalledMedium {
public:
    explicit StalledMedium(const std::filesystem::path& folder)
        : medium_(ORVANE_SLOW_MEDIA,
                  {"--stall-from", "4096", "--stall-file", "base.MDB", "--max-read", "4096",
                   "--control", control().string(), "--status", status().string(), folder.string(),
                   mountPoint().string()}) {
        for (int tries = 0; tries < 1000 && !mounted(); ++tries) {
            std::this_thread::sleep_for(10ms);
        }
    }
    StalledMedium(const StalledMedium&) = delete;
    StalledMedium& operator=(const StalledMedium&) = delete;
    ~StalledMedium() { std::system(("fusermount3 -u -z '" + mountPoint().string() + "'").c_str()); }

    bool mounted() const { return std::filesystem::exists(mountPoint() / "base.MDB"); }
    std::filesystem::path mountPoint() const { return folder_.file("mnt"); }

    int waitingReads() const {
        std::ifstream in(status());
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("waiting=", 0) == 0) {
                return std::stoi(line.substr(8));
            }
        }
        return -1;
    }

    void wake() const { std::ofstream(control()) << "wake\n"; }

private:
    std::filesystem::path control() const { return folder_.file("control"); }
    std::filesystem::path status() const { return folder_.file("status"); }

    TempFolder folder_;
    bool made_ = std::filesystem::create_directory(mountPoint());
    sys::ChildProcess medium_;
};

bool fuseUsable() {
    return access("/dev/fuse", R_OK | W_OK) == 0 &&
           std::system("command -v fusermount3 >/dev/null") == 0;
}

} // namespace

TEST(SlowMediumReadTest, AReadGivenUpDoesNotWaitForItsHelperAndTheNextOneReads) {
    if (!fuseUsable()) {
        GTEST_SKIP() << "/dev/fuse or fusermount3 cannot be used here";
    }
    catalogue::SetCatalogueReaderProgram(ORVANE_READER_PROGRAM);
    CatalogueFiles files;
    const std::filesystem::path built =
        files.build("base.MDB", "Nom,cd,Description\nÉchecs,CD 3,Le JEU des rois\n");
    const StalledMedium medium(built.parent_path());
    ASSERT_TRUE(medium.mounted());
    const std::string path = (medium.mountPoint() / "base.MDB").string();

    catalogue::DataControl control;
    control.DatabaseName = path;
    control.RecordSource = "Index";
    catalogue::SetCatalogueReadPatience({1h, 200ms});
    try {
        control.Refresh();
        ADD_FAILURE() << "the stalled read ended";
    } catch (const catalogue::CatalogueError& error) {
        EXPECT_NE(std::string(error.what()).find("son support ne répond pas"), std::string::npos)
            << error.what();
    }
    EXPECT_GT(medium.waitingReads(), 0) << "the helper given up still waits for the disk";

    medium.wake();
    catalogue::SetCatalogueReadPatience({1h, 1h});
    const std::size_t before = catalogue::CatalogueReadCount();
    control.Refresh();
    EXPECT_EQ(catalogue::CatalogueReadCount(), before + 1);
    control.Recordset().FindFirst("Nom like '*'");
    EXPECT_EQ(control.Recordset().Fields("Nom").Value(), "Échecs");
    catalogue::SetCatalogueReadPatience({3s, 1min});
}
