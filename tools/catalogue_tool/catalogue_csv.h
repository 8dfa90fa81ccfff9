#pragma once
// The catalogue's CSV file: a header naming the columns Nom, cd and Description (in any order
// and letter case), then one record per catalogue entry. An empty field without quotes is a
// null value; "" is the empty text. Values come out as UTF-16, checked against what the
// catalogue table can hold.

#include "catalogue_tool/csv_reader.h"

#include <array>
#include <cstddef>
#include <istream>
#include <optional>
#include <string>

namespace jet_writer {

struct CatalogueRow {
    std::optional<std::u16string> nom;
    std::optional<std::u16string> cd;
    std::optional<std::u16string> description;
};

// Longest texts, in UTF-16 code units: Nom and cd are Text(255) columns; a memo's length
// is recorded in three bytes.
inline constexpr std::size_t maxTextLength = 255;
inline constexpr std::size_t maxMemoLength = 0xffffff / 2;

class CatalogueCsv {
public:
    // Reads and checks the header; throws InputError.
    CatalogueCsv(std::istream& input, std::string sourceName);

    // Reads the next entry; false at the end of the file. Throws InputError.
    bool next(CatalogueRow& row);

private:
    enum Column { nom, cd, description, columnCount };

    void readHeader();
    Column headerColumn(const CsvField& field) const;
    std::optional<std::u16string> value(Column column) const;
    void checkFieldCount() const;
    void checkLength(Column column, const CsvField& field, const std::u16string& text) const;
    [[noreturn]] void fail(TextPosition at, const std::string& problem) const;

    CsvReader reader_;
    CsvRecord record_;
    std::array<std::size_t, columnCount> fieldIndex_{};
};

} // namespace jet_writer
