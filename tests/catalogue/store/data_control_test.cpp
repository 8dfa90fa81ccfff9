// The data control over real catalogue files, read through the helper program: recordsets,
// catalogues kept while their file is unchanged, the background read, and failures that name the
// file and leave the previous recordset in use.

#include "catalogue/catalogue_store.h"
#include "catalogue/data_control.h"
#include "catalogue_files.h"
#include "damage/damaged_catalogues.h"
#include "error_of.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

using catalogue::CatalogueError;
using catalogue::CatalogueReadCount;
using catalogue::DataControl;

namespace {

const std::string kJeu = std::string("Nom like '*jeu*' or Description like '*jeu*'");
const std::string kReader = std::string(ORVANE_READER_PROGRAM);
// A limit no read in these tests comes near: set on the limits a test does not mean to reach.
constexpr std::chrono::seconds kFarOff{120};

const std::string kFour = "Nom,cd,Description\n"
                          "Jeu de l'oie,CD 1,Un jeu de plateau\n"
                          "Atlas,,\"\"\n"
                          "Échecs,CD 3,Le JEU des rois\n"
                          "Solfège,CD 4,Musique\n";

std::string field(DataControl& control, const char* name) {
    return control.Recordset().Fields(name).Value().value_or("(null)");
}

// How many processes this one started still run.
int runningChildren() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) {
            continue;
        }
        // "pid (name) state ppid ...": the name may hold spaces and parentheses.
        std::istringstream rest(line.substr(line.rfind(')') + 1));
        char state = 0;
        long parent = 0;
        if (rest >> state >> parent && parent == long(getpid()) && state != 'Z') {
            ++count;
        }
    }
    return count;
}

// Gives the file a new modification time, as a copy made later would have.
void touchLater(const std::string& path, int seconds) {
    const std::filesystem::path file(path);
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                               std::chrono::seconds(seconds));
}

class DataControlTest : public ::testing::Test {
protected:
    // The limits sized from the file, and a helper allowed far more processor time without
    // sending, and far longer waits, than a loaded machine may impose on a healthy read.
    void SetUp() override {
        catalogue::SetCatalogueReaderProgram(kReader);
        catalogue::SetCatalogueReadPatience({kFarOff, kFarOff});
        catalogue::SetCatalogueReadLimits(std::nullopt);
    }
    void TearDown() override { SetUp(); }

    void open(DataControl& control, const std::string& path, const std::string& table = "Index") {
        control.DatabaseName = path;
        control.RecordSource = table;
        control.Refresh();
    }

    // Each failing read names the file and leaves no helper behind: the Refresh fails, or the
    // first find when the damage lies in the rows, which come after the Refresh. A failing
    // Refresh leaves the recordset before it current, and a copy of that recordset, as a search
    // keeps it, goes on working either way. The good file is read as SetUp leaves the store;
    // setUp runs between the two Refreshes.
    void expectRefused(
        const std::string& path, const std::string& table, const std::string& words,
        const std::function<void()>& setUp = [] {}) {
        DataControl control;
        SetUp();
        const std::string good = files.build(std::string("good.mdb"), kFour);
        open(control, good);
        control.Recordset().FindLast(kJeu);
        DataControl kept = control;
        // The good read may still be sending its rows after its answer: it ends here, so that
        // only the failing read's helper could be left behind.
        catalogue::OpenCatalogueTable(good, "Index");
        setUp();
        control.DatabaseName = path;
        control.RecordSource = table;
        bool refreshed = false;
        const std::string error = errorOf([&] {
            control.Refresh();
            refreshed = true;
            control.Recordset().FindFirst(kJeu);
        });
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find(words), std::string::npos) << error;
        EXPECT_EQ(runningChildren(), 0);
        for (DataControl* before : {&kept, refreshed ? &kept : &control}) {
            EXPECT_EQ(field(*before, "Nom"), "Échecs");
            before->Recordset().FindPrevious(kJeu);
            EXPECT_EQ(field(*before, "Nom"), "Jeu de l'oie");
            before->Recordset().FindNext(kJeu);
        }
    }

    CatalogueFiles files;
};

} // namespace

TEST_F(DataControlTest, RefreshReadsTheTableInItsOwnOrderWithNullsAndEmptyTexts) {
    DataControl control;
    EXPECT_NE(errorOf([&] { control.Recordset(); }).find("BASE.MDB"), std::string::npos);
    control.DatabaseName = files.build(std::string("base.MDB"), kFour);
    control.Refresh(); // no table yet: only the file is checked
    EXPECT_NE(errorOf([&] { control.Recordset(); }), "(no error)");

    control.RecordSource = std::string("Index");
    control.Refresh();
    control.Recordset().FindFirst(kJeu);
    EXPECT_EQ(field(control, "Nom"), "Jeu de l'oie");
    control.Recordset().FindNext(kJeu);
    EXPECT_EQ(field(control, "Nom"), "Échecs");
    EXPECT_EQ(field(control, "CD"), "CD 3");
    control.Recordset().FindFirst(std::string("Nom like 'atlas'"));
    EXPECT_EQ(field(control, "cd"), "(null)");
    EXPECT_EQ(field(control, "Description"), "");
}

TEST_F(DataControlTest, AnUnchangedFileIsReadOnceAndAReplacedOneAfresh) {
    const std::string path = files.build(std::string("base.MDB"), kFour);
    const std::size_t before = CatalogueReadCount();
    DataControl first;
    DataControl second;
    open(first, path);
    open(first, path);
    open(second, path, std::string("INDEX")); // table names ignore letter case
    EXPECT_EQ(CatalogueReadCount(), before + 1);
    // Another spelling of the path is another file to the store.
    open(second, (std::filesystem::path(path).parent_path() / "." / "base.MDB").string());
    EXPECT_EQ(CatalogueReadCount(), before + 2);

    catalogue::Recordset& kept = first.Recordset();
    files.build(std::string("base.MDB"), "Nom,cd,Description\nNouveau jeu,CD 9,\n");
    touchLater(path, 5);
    open(first, path);
    EXPECT_EQ(CatalogueReadCount(), before + 3);
    open(first, path);
    EXPECT_EQ(CatalogueReadCount(), before + 3);
    kept.FindLast(kJeu); // a reference taken earlier sees the new recordset
    EXPECT_EQ(field(first, "Nom"), "Nouveau jeu");

    // Replaced by a file of the same size and modification time (cp -p, rsync -t, a restored
    // backup): once in place, once by renaming another file over it.
    const auto keepTimes = [&](const std::string& csv) {
        const auto modified = std::filesystem::last_write_time(path);
        const std::string other = files.build(std::string("other.mdb"), csv);
        std::filesystem::last_write_time(other, modified);
        return other;
    };
    const std::string sameSize = keepTimes("Nom,cd,Description\nNouveau jou,CD 9,\n");
    ASSERT_EQ(std::filesystem::file_size(sameSize), std::filesystem::file_size(path));
    const auto modified = std::filesystem::last_write_time(path);
    {
        std::ofstream target(path, std::ios::binary | std::ios::in | std::ios::out);
        ASSERT_TRUE(target.good());
        target << ReadBytes(sameSize);
    }
    std::filesystem::last_write_time(path, modified);
    open(first, path);
    first.Recordset().FindFirst(std::string("Nom like 'nouveau*'"));
    EXPECT_EQ(field(first, "Nom"), "Nouveau jou");
    const std::string renamed = keepTimes("Nom,cd,Description\nNouveau jiu,CD 9,\n");
    ASSERT_EQ(std::rename(renamed.c_str(), path.c_str()), 0);
    open(first, path);
    first.Recordset().FindFirst(std::string("Nom like 'nouveau*'"));
    EXPECT_EQ(field(first, "Nom"), "Nouveau jiu");
    EXPECT_EQ(CatalogueReadCount(), before + 5);
}

TEST_F(DataControlTest, APreloadedCatalogueIsWaitedForAndNotReadAgain) {
    const std::string path = files.build(std::string("base.MDB"), kFour);
    // A reader slow to start, so that the Refresh comes while the read is still running.
    catalogue::SetCatalogueReaderProgram(
        files.script(std::string("slow-reader"), "sleep 0.5\nexec '" + kReader + "' \"$@\""));
    const std::size_t before = CatalogueReadCount();
    catalogue::PreloadCatalogue(path);
    catalogue::PreloadCatalogue(path);
    DataControl control;
    open(control, path);
    control.Recordset().FindLast(kJeu);
    EXPECT_EQ(field(control, "Nom"), "Échecs");
    EXPECT_EQ(CatalogueReadCount(), before + 1);

    // A file replaced after its preload is read again.
    catalogue::PreloadCatalogue(path);
    files.build(std::string("base.MDB"), "Nom,cd,Description\nAutre jeu,,\n");
    touchLater(path, 5);
    open(control, path);
    control.Recordset().FindLast(kJeu);
    EXPECT_EQ(field(control, "Nom"), "Autre jeu");
    EXPECT_EQ(CatalogueReadCount(), before + 2);
}

TEST_F(DataControlTest, FilesThatCannotBeReadAreRefusedByName) {
    expectRefused(files.path(std::string("absent.MDB")), "Index", "introuvable");
    expectRefused(files.write(std::string("texte.MDB"), std::string(8192, 'a')), "Index",
                  "n'est pas une base");
    expectRefused(files.write(std::string("vide.MDB"), ""), "Index", "");
    expectRefused(files.build(std::string("autre.mdb"), kFour), "Tarifs", "absente");
    // Empty RecordSource: the file alone is checked.
    expectRefused(files.path(std::string("absent.MDB")), "", "introuvable");

    // A catalogue cut short after its first pages.
    const std::string whole = ReadBytes(files.build(std::string("entier.mdb"), kFour));
    expectRefused(files.write(std::string("coupe.mdb"), whole.substr(0, 4096 * 3)), "Index", "");
}

// The catalogue builder writes every field, so an Access-written file stands for one without.
TEST_F(DataControlTest, AFieldMissingFromTheTableIsRefusedByName) {
    const std::string path = std::string(ORVANE_FIXTURES_DIR "/nwind.mdb");
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "no " << path << ": Access-written fixtures absent";
    }
    expectRefused(path, "Customers", "Nom");
}

// A damaged catalogue on which the Jet library itself crashes (found by fuzzing).
TEST_F(DataControlTest, AFileThatCrashesTheJetLibraryIsADamagedCatalogue) {
    const std::string path =
        files.write(std::string("crash.mdb"), ReadBytes(std::string(ORVANE_CRASHING_CATALOGUE)));
    expectRefused(path, "Index", "endommagé");
}

// Damage made from good files: a stale copy of a data page, whose rows would come twice, is
// refused. Damage in the properties block Access gives every table, on which other Jet readers
// print or loop for ever, lies where the reader never looks: those files read as the good one.
TEST_F(DataControlTest, DamagedCataloguesAreRefusedByNameAndDamagedPropertiesIgnored) {
    const std::string good = ReadBytes(files.build(std::string("good.mdb"), kFour));
    const std::string twice =
        files.write(std::string("twice.mdb"), damage::ListDataPageTwice(good, 4));
    expectRefused(twice, "Index", "une de ses pages en répétant une autre");

    const std::string withProperties = damage::WithTableProperties(good);
    int made = 0;
    for (const std::string& damaged : {damage::UnknownPropertiesSignature(withProperties),
                                       damage::LoopInProperties(withProperties, true),
                                       damage::LoopInProperties(withProperties, false)}) {
        DataControl control;
        open(control, files.write("properties-" + std::to_string(++made) + ".mdb", damaged));
        control.Recordset().FindLast(kJeu);
        EXPECT_EQ(field(control, "Nom"), "Échecs");
        EXPECT_EQ(field(control, "Description"), "Le JEU des rois");
    }
}

// A helper that crashes, says nonsense, or spends its processor time without sending anything:
// the catalogue is damaged, the program goes on. However long the helper takes, only the
// processor time it spends counts here.
TEST_F(DataControlTest, AReaderThatMisbehavesMeansADamagedCatalogue) {
    const std::string path = files.build(std::string("base.MDB"), kFour);
    for (const std::string& body :
         {std::string("kill -SEGV $$"), std::string("echo 'Segmentation fault'"),
          std::string("printf 'ORVCAT3\\nOB'; while :; do :; done"),
          std::string("printf 'ORVCAT3\\nOB'; yes 'B'"), std::string("exit 0")}) {
        const std::string reader = files.script(std::string("bad-reader"), body);
        // Only the helper that spins without sending uses up its processor time; it would spin
        // on far beyond it.
        expectRefused(path, "Index", "endommagé", [&] {
            catalogue::SetCatalogueReaderProgram(reader);
            catalogue::SetCatalogueReadPatience({std::chrono::milliseconds(300), kFarOff});
            touchLater(path, 1); // so that nothing read before is kept
        });
    }
    expectRefused(path, "Index", "ne démarre pas", [&] {
        catalogue::SetCatalogueReaderProgram(files.path(std::string("no-reader")));
        touchLater(path, 1);
    });
    // A helper that never started says nothing of the unchanged file: once it is there, the
    // file is read.
    SetUp();
    DataControl control;
    open(control, path);
    control.Recordset().FindLast(kJeu);
    EXPECT_EQ(field(control, "Nom"), "Échecs");
}
