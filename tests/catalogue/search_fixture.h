#pragma once
// The search and paging without a window: a fake window records what they read and write,
// catalogues are built with orvane-catalogue into the program's folder and read through the
// reading helper, and what the fake shows is read back in one snapshot.

#include "catalogue/search_result.h"
#include "catalogue/search_window.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
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
extern const QString kJeuCritere;

// What the search and the arrows leave in the window and in the search result.
struct Shown {
    QString counter, cd, nom, description;
    bool previous = false, next = false; // Picture4, Picture5 shown
    QString critere;
    std::int64_t total = 0, position = 0;
    bool operator==(const Shown&) const = default;
};
void PrintTo(const Shown& shown, std::ostream* out);

// The CSV text of a catalogue; a null field is written as an empty unquoted field.
QString CatalogueCsv(const std::vector<Entry>& entries);
// Builds a catalogue file from CSV text; fails the test when the builder fails.
void BuildCatalogue(const QString& csv, const QString& mdbPath);
// The demo catalogue's CSV text.
QString DemoCatalogueCsv();
// Points the catalogue store at the reading helper built beside the tests, allowed a silence far
// longer than a loaded machine or the sanitizers may impose on a healthy read: these tests mean
// no limit to end a read.
void UseTestCatalogueReader();

// A window that only records: every change of the labels, arrows and pointer goes into calls in
// the order made; beeps, pumps and failure reports are counted or kept.
class FakeWindow : public catalogue::SearchWindow {
public:
    explicit FakeWindow(catalogue::SearchResult& result) : result_(result) {}

    QString typed;
    QString counter, nom, cd, description;
    bool previous = false, next = false;
    std::vector<std::string> calls;
    std::vector<int> pointerChanges;
    int beeps = 0;
    int pumps = 0;
    std::vector<QString> failures;
    // Runs inside every pump, as events waiting for the window would.
    std::function<void()> duringPump;

    QString TypedText() const override { return typed; }
    QString Counter() const override { return counter; }
    void SetCounter(const QString& text) override;
    QString FieldShown(catalogue::FieldLabel label) const override;
    void ShowField(catalogue::FieldLabel label, const QString& text) override;
    bool ArrowShown(catalogue::Arrow arrow) const override;
    void ShowArrow(catalogue::Arrow arrow, bool shown) override;
    void SetMousePointer(int pointer) override;
    void Beep() override;
    void DoEvents() override;
    void lecture() override;
    void ReportFailure(const QString& message) override;

private:
    catalogue::SearchResult& result_;
};

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString catalogueFile() const;
    void installCatalogue(const std::vector<Entry>& entries);
    void installCsv(const QString& csv);
    // A catalogue with 32,770 entries holding "jeu", built once per test program.
    void installLargeCatalogue();

    // Types the text into the search box and presses Enter there.
    void search(const QString& text);
    // Presses a mouse button (1 left, 2 right, 4 middle) on an arrow.
    void press(catalogue::Arrow arrow, std::int16_t button);

    Shown shown() const;

    static constexpr catalogue::Arrow kPrevious = catalogue::Arrow::Previous;
    static constexpr catalogue::Arrow kNext = catalogue::Arrow::Next;
    static constexpr std::int16_t kLeft = 1, kRight = 2, kMiddle = 4;

    catalogue::SearchResult result;
    FakeWindow window{result};

private:
    QTemporaryDir folder_;
};
