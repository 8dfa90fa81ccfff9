#pragma once
// Window tests of the search and of paging: catalogues are built with orvane-catalogue into the
// program's folder, Enter and presses go through the window's own event wiring, and what the
// window shows is read back in one snapshot.

#include "form_test.h"

#include <QString>
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

// What the search and the arrows leave in the window and in the shared values.
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

class SearchFormTest : public FormTest {
protected:
    void SetUp() override;

    QString catalogueFile() const;
    void installCatalogue(const std::vector<Entry>& entries);
    void installCsv(const QString& csv);
    void installDemoCatalogue();
    // A catalogue with 32,770 entries holding "jeu", built once per test program.
    void installLargeCatalogue();

    // Types the text into the search box and presses Enter there.
    void search(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Presses a mouse button on an arrow.
    void press(QWidget* arrow, Qt::MouseButton button);

    Shown shown() const;
};
