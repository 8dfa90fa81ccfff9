// Catalogues made by orvane-catalogue read the way the program reads them: by the reading
// helper, through the row stream, into the rows the store keeps. Every value comes back as the
// CSV gave it, and as mdb-export reads it where mdb-export reads right: it writes a null and an
// empty text alike (both as an empty field), and characters beyond the first plane as "??", so
// those are compared with the CSV alone.

#include "catalogue/reader_process.h"
#include "jet_test_files.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using Row = std::vector<std::optional<std::string>>;

std::string csvField(const std::optional<std::string>& value) {
    if (!value) {
        return {};
    }
    std::string field = "\"";
    for (const char c : *value) {
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return field + "\"";
}

std::string csvOf(const std::vector<Row>& rows) {
    std::string csv = "Nom,cd,Description\r\n";
    for (const Row& row : rows) {
        csv += csvField(row[0]) + "," + csvField(row[1]) + "," + csvField(row[2]) + "\r\n";
    }
    return csv;
}

std::vector<Row> readThroughTheStore(const std::filesystem::path& file) {
    const std::uint64_t size = std::filesystem::file_size(file);
    const catalogue::ReaderRequest request{ORVANE_READER_PROGRAM,
                                           file,
                                           size,
                                           "Index",
                                           {"Nom", "cd", "Description"},
                                           {std::chrono::minutes(2), std::chrono::minutes(2)},
                                           catalogue::LimitsForFile(size)};
    catalogue::TableReading reading;
    const catalogue::CatalogueRows rows = catalogue::ReadWithHelper(
        request, [] { return false; }, reading);
    std::vector<Row> read;
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        read.push_back({rows.value(row, 0), rows.value(row, 1), rows.value(row, 2)});
    }
    return read;
}

// mdb-export's CSV of table Index: records of fields, quotes doubled inside quoted fields.
std::vector<std::vector<std::string>> mdbExport(const std::filesystem::path& file) {
    const std::string command = "mdb-export '" + file.string() + "' Index";
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 65536> buffer{};
        for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            text.append(buffer.data(), got);
        }
        EXPECT_EQ(pclose(pipe), 0);
    }
    std::vector<std::vector<std::string>> records(1);
    std::string field;
    bool quoted = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (quoted && c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
            field += '"';
            ++at;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ',' || c == '\n')) {
            records.back().push_back(std::move(field));
            field.clear();
            if (c == '\n') {
                records.emplace_back();
            }
        } else {
            field += c;
        }
    }
    records.pop_back();             // what follows the last line break
    records.erase(records.begin()); // the header
    return records;
}

bool beyondFirstPlane(const std::optional<std::string>& value) {
    return value && value->find('\xF0') != std::string::npos;
}

std::vector<Row> shapes() {
    std::vector<Row> rows = {
        {"Jeu de l'oie", "CD 1", "Un classique, \"revisité\""},
        {"Encyclopédie Œuvres", "CD é", "Ça coûte 10 € — à peine"},
        {"Ελληνικά", "Русский", "日本語のテキスト, 한국어, עברית, العربية"},
        {"a\U0001F600b", "\U00010348", "Des émojis \U0001F3B2\U0001F3AE et un \U0001D11E"},
        {"", "", ""},
        {std::nullopt, std::nullopt, std::nullopt},
        {"Plusieurs\r\nlignes", "CD\n2", "Tab\tet virgule, point-virgule;"},
    };
    // Memos inline, on one long-value page and over a chain of pages, ASCII and accented.
    for (const std::size_t length : {100u, 511u, 2000u, 4100u, 30000u}) {
        rows.push_back({"ascii", std::to_string(length), std::string(length, 'x')});
        std::string accents;
        for (std::size_t i = 0; i < length; ++i) {
            accents += "é";
        }
        rows.push_back({"accents", std::to_string(length), accents});
    }
    for (int i = 0; i < 3000; ++i) {
        const std::string n = std::to_string(i);
        rows.push_back({"Titre " + n + (i % 3 == 0 ? " Ärger" : ""), "CD" + std::to_string(i % 97),
                        i % 5 == 0 ? std::optional<std::string>() : "Description n°" + n});
    }
    return rows;
}

TEST(StoreDifferential, BuiltCataloguesReadAsWrittenAndAsMdbExportReadsThem) {
    const jet_test::TempFolder folder;
    const std::vector<Row> rows = shapes();
    const auto file = jet_test::buildFrom(folder, csvOf(rows));
    const std::vector<Row> read = readThroughTheStore(file);
    ASSERT_EQ(read.size(), rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(read[row], rows[row]) << "row " << row;
    }

    if (std::system("command -v mdb-export > /dev/null") != 0) {
        GTEST_SKIP() << "mdb-export (Debian's mdbtools) is not installed";
    }
    const auto theirs = mdbExport(file);
    ASSERT_EQ(theirs.size(), rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        ASSERT_EQ(theirs[row].size(), 3u) << "row " << row;
        for (std::size_t column = 0; column < 3; ++column) {
            if (!beyondFirstPlane(read[row][column])) {
                EXPECT_EQ(read[row][column].value_or(""), theirs[row][column])
                    << "row " << row << " column " << column;
            }
        }
    }
}

} // namespace
