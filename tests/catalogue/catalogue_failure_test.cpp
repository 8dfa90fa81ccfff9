// A catalogue that cannot be searched: the report names the file and what is wrong, and the
// window keeps the previous result, which the arrows still page.

#include "search_fixture.h"

#include "app/result_guard.h"
#include "catalogue/catalogue_error.h"
#include "catalogue/catalogue_store.h"
#include "damage/damaged_catalogues.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::filesystem::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
}

// Rewrites the first occurrence of an ASCII name stored in UTF-16 in the file with another name
// of the same length.
void renameInFile(const std::string& path, const std::string& from, const std::string& to) {
    const auto utf16 = [](const std::string& text) {
        std::string bytes;
        for (const char c : text) {
            bytes += c;
            bytes += '\0';
        }
        return bytes;
    };
    std::string bytes = readFile(path);
    const std::size_t at = bytes.find(utf16(from));
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, from.size() * 2, utf16(to));
    writeFile(path, bytes);
}

} // namespace

class CatalogueFailureTest : public SearchTest {
protected:
    // A search of jeu paged to its second match: what every failure must leave as it is.
    void showSecondOfThree() {
        installCatalogue(kThreeGames);
        search(std::string("jeu"));
        press(kNext, kLeft);
        ASSERT_EQ(shown().counter, std::string("2/3"));
        window.pointerChanges.clear();
        window.beeps = 0;
    }

    // The failed search changed nothing, said why once, and the arrows still page.
    void expectFailureKeptTheResult(const Shown& before, const std::string& problem) {
        EXPECT_EQ(shown(), before);
        EXPECT_EQ(result.data.DatabaseName, catalogueFile());
        EXPECT_EQ(result.data.RecordSource, std::string("Index"));
        EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));
        ASSERT_EQ(window.boxes.size(), 1u);
        EXPECT_TRUE(Contains(window.boxes[0], catalogueFile())) << window.boxes[0];
        EXPECT_TRUE(Contains(window.boxes[0], problem)) << window.boxes[0];

        press(kNext, kLeft);
        EXPECT_EQ(shown().counter, std::string("3/3"));
        EXPECT_EQ(shown().nom, std::string("Dames"));
        press(kPrevious, kRight);
        EXPECT_EQ(shown().counter, std::string("1/3"));
        EXPECT_EQ(shown().nom, std::string("Échecs"));
    }
};

TEST_F(CatalogueFailureTest, MissingFile) {
    showSecondOfThree();
    const Shown before = shown();
    ASSERT_TRUE(std::filesystem::remove(catalogueFile()));
    search(std::string("atlas"));
    expectFailureKeptTheResult(before, std::string("introuvable"));
}

TEST_F(CatalogueFailureTest, FileThatIsNoCatalogue) {
    showSecondOfThree();
    const Shown before = shown();
    writeFile(catalogueFile(), std::string(8192, 'x'));
    search(std::string("atlas"));
    expectFailureKeptTheResult(before, std::string("n'est pas une base"));
}

TEST_F(CatalogueFailureTest, TruncatedCatalogue) {
    showSecondOfThree();
    const Shown before = shown();
    writeFile(catalogueFile(), readFile(catalogueFile()).substr(0, 6000));
    search(std::string("atlas"));
    expectFailureKeptTheResult(before, std::string("endommagé"));
}

TEST_F(CatalogueFailureTest, NoTableIndex) {
    showSecondOfThree();
    const Shown before = shown();
    renameInFile(catalogueFile(), std::string("Index"), std::string("Indey"));
    search(std::string("atlas"));
    expectFailureKeptTheResult(before, std::string("table «\u00a0Index\u00a0» est absente"));
}

TEST_F(CatalogueFailureTest, MissingField) {
    showSecondOfThree();
    const Shown before = shown();
    renameInFile(catalogueFile(), std::string("cd"), std::string("ce"));
    search(std::string("atlas"));
    expectFailureKeptTheResult(before, std::string("champ «\u00a0cd\u00a0» est absent"));
}

// Rows that the Jet library hands over twice are damage, never twice the matches. The same
// search of the unchanged file is refused again at once, without reading it anew.
TEST_F(CatalogueFailureTest, RowsHandedOverTwiceAreRefusedAndTheRefusalKept) {
    showSecondOfThree();
    const Shown before = shown();
    writeFile(catalogueFile(), damage::ListDataPageTwice(readFile(catalogueFile()), 4));
    search(std::string("atlas"));
    expectFailureKeptTheResult(before, std::string("une de ses pages en répétant une autre"));

    const std::size_t reads = catalogue::CatalogueReadCount();
    search(std::string("atlas"));
    EXPECT_EQ(catalogue::CatalogueReadCount(), reads);
    ASSERT_EQ(window.boxes.size(), 2u);
    EXPECT_EQ(window.boxes[1], window.boxes[0]);
}

TEST_F(CatalogueFailureTest, FirstSearchFailingLeavesTheWindowBlank) {
    search(std::string("jeu"));
    EXPECT_EQ(shown(), Shown{});
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{11, 0}));
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_TRUE(Contains(window.boxes[0], catalogueFile())) << window.boxes[0];

    installCatalogue(kThreeGames);
    search(std::string("jeu"));
    EXPECT_EQ(shown().counter, std::string("1/3")) << "the next search tries the file again";
}

// The arrows page the kept recordset, so what is left to fail there is the find itself: here
// the filter is spoilt behind the window's back.
TEST_F(CatalogueFailureTest, MoveThatFailsChangesNothingButTheBeep) {
    showSecondOfThree();
    const std::string critere = result.critere;
    result.critere = std::string("Nom like '[jeu'");
    const Shown before = shown();

    press(kNext, kLeft);
    press(kPrevious, kRight);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(window.beeps, 2);
    EXPECT_EQ(window.pointerChanges, (std::vector<int>{0, 11, 0}));
    ASSERT_EQ(window.boxes.size(), 2u);
    EXPECT_TRUE(Contains(window.boxes[1], catalogueFile())) << window.boxes[1];

    result.critere = critere;
    press(kNext, kLeft);
    EXPECT_EQ(shown().counter, std::string("3/3"));
    EXPECT_EQ(shown().nom, std::string("Dames"));
}

// A failure may come after the data control already holds the recordset of the new catalogue:
// the previous one is put back, so the arrows page through the result they belong to.
TEST_F(CatalogueFailureTest, FailureAfterARefreshPutsBackThePreviousRecordset) {
    showSecondOfThree();
    const Shown before = shown();
    installCatalogue({{"Jeu unique", "CD 9", "Remplacé"}});
    const auto spoil = [this] {
        result.data.Refresh();
        result.data.Recordset().FindFirst(result.critere);
        result.position = 7;
        window.SetCaption(app::Label::Label6, "changé");
        window.SetVisible(app::Picture::Picture4, false);
    };

    EXPECT_FALSE(app::RunKeepingResult(window, result, [&] {
        spoil();
        throw catalogue::CatalogueError("Le fichier est endommagé.");
    }));
    EXPECT_EQ(shown(), before);
    ASSERT_EQ(window.boxes.size(), 1u);

    EXPECT_THROW(app::RunKeepingResult(window, result,
                                       [&] {
                                           spoil();
                                           throw std::runtime_error("autre échec");
                                       }),
                 std::runtime_error);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(window.boxes.size(), 1u) << "other failures are reported by the caller";

    press(kNext, kLeft);
    EXPECT_EQ(shown().counter, std::string("3/3"));
    EXPECT_EQ(shown().nom, std::string("Dames"));
}
