// Reads that wait for their medium, and failures that say nothing of the file. A helper that waits
// without using processor time is not stuck, however long it waits; one whose medium does not
// answer within the allowance, fails, or that is ended from outside is reported without calling
// the file damaged, and the next read of the unchanged file tries again. A helper that spends its
// processor time without sending anything is stuck on a damaged file, and that is kept.
// Each test sets the limit it does not test far out of reach.

#include "catalogue/catalogue_store.h"
#include "catalogue/data_control.h"
#include "catalogue/row_stream.h"
#include "catalogue_files.h"
#include "error_of.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using catalogue::CatalogueError;
using catalogue::CatalogueReadCount;
using catalogue::DataControl;
using namespace std::chrono_literals;

namespace {

const std::string kReader = ORVANE_READER_PROGRAM;
const std::string kOneGame = "Nom,cd,Description\nÉchecs,CD 3,Le JEU des rois\n";

// The bytes a helper writes: the rows given, or the message of a read it could not do.
std::string helperOutput(const std::vector<std::vector<std::optional<std::string_view>>>& rows,
                         std::optional<std::string> unavailable = {}) {
    std::string bytes;
    catalogue::RowStreamWriter writer([&bytes](std::string_view piece) { bytes.append(piece); });
    writer.opened();
    for (const auto& row : rows) {
        writer.row(row);
    }
    if (unavailable) {
        writer.unavailable(*unavailable);
    } else {
        writer.finish(rows.size());
    }
    return bytes;
}

class SlowReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue::SetCatalogueReaderProgram(kReader);
        catalogue::SetCatalogueReadPatience({3s, 1min});
        catalogue::SetCatalogueReadLimits(std::nullopt);
        path = files.build(std::string("base.MDB"), kOneGame);
    }
    void TearDown() override {
        catalogue::SetCatalogueReaderProgram(kReader);
        catalogue::SetCatalogueReadPatience({3s, 1min});
    }

    DataControl& open(DataControl& control, const std::function<void()>& whileReading = {}) {
        control.DatabaseName = path;
        control.RecordSource = std::string("Index");
        control.Refresh(whileReading);
        return control;
    }

    std::string nom(DataControl& control) {
        control.Recordset().FindFirst(std::string("Nom like '*'"));
        return control.Recordset().Fields(std::string("Nom")).Value().value_or("(null)");
    }

    // The failure does not call the file damaged, and is not kept: the next read of the
    // unchanged file, by a helper that works, reads it.
    void expectFailedForNow(const std::string& error, const std::string& words) {
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find(words), std::string::npos) << error;
        EXPECT_EQ(error.find("endommagé"), std::string::npos) << error;
        catalogue::SetCatalogueReaderProgram(kReader);
        const std::size_t before = CatalogueReadCount();
        DataControl control;
        open(control);
        EXPECT_EQ(nom(control), "Échecs");
        EXPECT_EQ(CatalogueReadCount(), before + 1);
    }

    CatalogueFiles files;
    std::string path;
};

} // namespace

// The helper waits on a pipe, as on a sleeping disk, until the test lets it go: long past the
// processor time it may spend without sending.
TEST_F(SlowReadTest, AReaderWaitingForItsMediumIsWaitedFor) {
    const std::string gate = files.path(std::string("gate"));
    ASSERT_EQ(mkfifo(gate.c_str(), 0600), 0);
    const std::string rows =
        files.write(std::string("rows"), helperOutput({{"Échecs", "CD 3", "Le JEU des rois"}}));
    catalogue::SetCatalogueReaderProgram(files.script(
        std::string("waiting-reader"), "read line < '" + gate + "'\nexec cat '" + rows + "'"));
    catalogue::SetCatalogueReadPatience({100ms, 1h});

    const auto began = std::chrono::steady_clock::now();
    bool released = false;
    DataControl control;
    open(control, [&] {
        if (released || std::chrono::steady_clock::now() - began < 1s) {
            return;
        }
        // Opening fails until the helper opens its end.
        const int end = ::open(gate.c_str(), O_WRONLY | O_NONBLOCK);
        if (end >= 0) {
            released = ::write(end, "\n", 1) == 1;
            ::close(end);
        }
    });
    EXPECT_TRUE(released);
    EXPECT_EQ(nom(control), "Échecs");
}

TEST_F(SlowReadTest, AMediumThatDoesNotAnswerIsGivenUpForNow) {
    catalogue::SetCatalogueReaderProgram(
        files.script(std::string("stalled-reader"), "printf 'ORVCAT3\\nOB'\nexec sleep 3600"));
    catalogue::SetCatalogueReadPatience({1h, 100ms});
    DataControl control;
    const std::string error = errorOf([&] { nom(open(control)); });
    catalogue::SetCatalogueReadPatience({3s, 1min});
    expectFailedForNow(error, "son support ne répond pas");
}

TEST_F(SlowReadTest, AFailingMediumOrAReaderEndedFromOutsideIsNotKept) {
    const std::string unreadable = files.write(
        std::string("unreadable"),
        helperOutput({}, "Le fichier « " + path +
                             " » ne peut pas être lu : erreur d'entrée-sortie du support."));
    const std::vector<std::pair<std::string, std::string>> cases{
        {"kill -KILL $$", "sa lecture a été interrompue"},
        {"kill -TERM $$", "sa lecture a été interrompue"},
        {"kill -BUS $$", "son support signale une erreur de lecture"},
        {"exec cat '" + unreadable + "'", "erreur d'entrée-sortie du support"},
    };
    for (const auto& [body, words] : cases) {
        path = files.build(std::string("base.MDB"), kOneGame); // not the file read last
        catalogue::SetCatalogueReaderProgram(files.script(std::string("ended-reader"), body));
        DataControl control;
        const std::string error = errorOf([&] { nom(open(control)); });
        expectFailedForNow(error, words);
    }
}

TEST_F(SlowReadTest, AReaderSpendingItsTimeWithoutSendingIsStuckAndThatIsKept) {
    catalogue::SetCatalogueReaderProgram(
        files.script(std::string("looping-reader"), "printf 'ORVCAT3\\nOB'\nwhile :; do :; done"));
    catalogue::SetCatalogueReadPatience({100ms, 1h});
    DataControl control;
    const std::string error = errorOf([&] { nom(open(control)); });
    EXPECT_NE(error.find("endommagé : sa lecture ne progresse plus"), std::string::npos) << error;

    catalogue::SetCatalogueReaderProgram(kReader);
    const std::size_t before = CatalogueReadCount();
    EXPECT_EQ(errorOf([&] { open(control); }), error);
    EXPECT_EQ(CatalogueReadCount(), before);
}
