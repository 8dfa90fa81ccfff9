#pragma once
// The search and paging run by the window's operations over a fake runtime, without a window:
// catalogues are built with orvane-catalogue into the program's folder and read through the
// reading helper, and what the fake shows is read back in one snapshot.

#include "app/module3.h"
#include "app/shaped_form.h"
#include "fake_runtime.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct Entry {
    std::optional<std::string> nom;
    std::optional<std::string> cd;
    std::optional<std::string> description;
};

// Four entries, three of which hold "jeu" (once in capitals).
extern const std::vector<Entry> kThreeGames;
// The filter of a search of jeu.
extern const std::string kJeuCritere;

// What the search and the arrows leave in the window and in the search result.
struct Shown {
    std::string counter, cd, nom, description;
    bool previous = false, next = false; // Picture4, Picture5 shown
    std::string critere;
    std::int64_t total = 0, position = 0;
    bool operator==(const Shown&) const = default;
};
void PrintTo(const Shown& shown, std::ostream* out);

// The CSV text of a catalogue; a null field is written as an empty unquoted field.
std::string CatalogueCsv(const std::vector<Entry>& entries);
// Builds a catalogue file from CSV text; fails the test when the builder fails.
void BuildCatalogue(const std::string& csv, const std::filesystem::path& mdbPath);
// The demo catalogue's CSV text.
std::string DemoCatalogueCsv();
// Points the catalogue store at the reading helper built beside the tests, allowed far more
// processor time without sending, and far longer waits, than a loaded machine or the sanitizers
// may impose on a healthy read: these tests mean no limit to end a read.
void UseTestCatalogueReader();
// Whether text holds part.
inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
// The calls a runtime recorded, without the event pumps.
std::vector<std::string> WithoutPumps(const std::vector<std::string>& calls);

class SearchTest : public ::testing::Test {
protected:
    enum class Arrow { Previous, Next };

    void SetUp() override;
    void TearDown() override;

    std::string catalogueFile() const;
    void installCatalogue(const std::vector<Entry>& entries);
    void installCsv(const std::string& csv);
    // A catalogue with 32,770 entries holding "jeu", built once per test program.
    void installLargeCatalogue();

    // Types the text into the search box and presses Enter there.
    void search(const std::string& text);
    // Presses a mouse button (1 left, 2 right, 4 middle) on an arrow.
    void press(Arrow arrow, std::int16_t button);

    Shown shown();

    static constexpr Arrow kPrevious = Arrow::Previous;
    static constexpr Arrow kNext = Arrow::Next;
    static constexpr std::int16_t kLeft = 1, kRight = 2, kMiddle = 4;

    TempFolder folder;
    FakeRuntime window;
    ShapedForm form{window};
    catalogue::SearchResult& result = Module3::result;
};
