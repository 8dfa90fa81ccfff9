// Files written by orvane-catalogue read back through our Jet reader: every value exactly,
// nulls and empty texts apart, rows in the CSV's order.

#include "catalogue_tool/catalogue_build.h"
#include "jet/database.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using test_files::TempFolder;

namespace {

using Value = std::optional<std::string>;

struct Entry {
    Value nom;
    Value cd;
    Value description;
    bool operator==(const Entry&) const = default;
};

std::string CsvField(const Value& value) {
    if (!value)
        return "";
    std::string field = "\"";
    for (const char c : *value)
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    return field + "\"";
}

std::string CsvOf(const std::vector<Entry>& entries) {
    std::string csv = "Nom,cd,Description\r\n";
    for (const Entry& entry : entries)
        csv += CsvField(entry.nom) + "," + CsvField(entry.cd) + "," + CsvField(entry.description) +
               "\r\n";
    return csv;
}

std::vector<Entry> ReadBack(const std::filesystem::path& file) {
    std::vector<Entry> entries;
    for (const auto& row : test_files::ReadTable(file, "Index", {"Nom", "cd", "Description"}))
        entries.push_back({row[0], row[1], row[2]});
    return entries;
}

std::vector<Entry> RoundTrip(const TempFolder& folder, const std::vector<Entry>& entries) {
    test_files::writeFile(folder / "catalogue.csv", CsvOf(entries));
    jet_writer::BuildCatalogue(folder / "catalogue.csv", folder / "base.MDB");
    return ReadBack(folder / "base.MDB");
}

std::string Repeat(const std::string& text, std::size_t count) {
    std::string out;
    out.reserve(text.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        out += text;
    return out;
}

// ASCII text of a given number of UTF-16 units: memo sizes at the edges of where the writer
// keeps a value (in the row up to 1,024 bytes, one long-value record up to 4,080, a chain of
// records of 4,076 bytes beyond).
Value MemoOfUnits(std::size_t units) {
    std::string text;
    for (std::size_t i = 0; i < units; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

} // namespace

TEST(CatalogueRoundTrip, EveryValueComesBackExactly) {
    const std::string emoji = "\xf0\x9f\x8e\xae"; // U+1F3AE, beyond the first plane
    const std::vector<Entry> entries = {
        {std::nullopt, std::nullopt, std::nullopt},
        {"", "", ""},
        {"", std::nullopt, ""},
        {"\xc3\x89l\xc3\xa9phant \xc3\xa0 l'\xc3\xa9"
         "cole \xe2\x80\x94 \xc5\x93 \xc3\xb1",
         "CD-\xc3\xa7", "Caf\xc3\xa9 cr\xc3\xa8me"},
        {emoji + " Jeu " + emoji, emoji, "Emoji " + emoji + " au milieu"},
        {"dit \"oui\", puis\r\nnon", "a,b", "ligne 1\nligne 2\r\nligne 3"},
        {Repeat("\xc3\xa9", 255), Repeat("z", 255), "255"},
        {Repeat(emoji, 127) + "a", "", "emoji"},
        {"inline", "", MemoOfUnits(512)},
        {"one record", "", MemoOfUnits(513)},
        {"one full record", "", MemoOfUnits(2040)},
        {"chain of two", "", MemoOfUnits(2041)},
        {"two full parts", "", MemoOfUnits(2 * 2038)},
        {"1 MB", "",
         Repeat("Un jeu \xc3\xa9"
                "ducatif " +
                    emoji + " ",
                1024 * 1024 / 21)},
        {"after", "", "the big one"},
    };
    TempFolder folder;
    const std::vector<Entry> read = RoundTrip(folder, entries);
    ASSERT_EQ(read.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_TRUE(read[i] == entries[i]) << "row " << i;
}

TEST(CatalogueRoundTrip, TenThousandRowsComeBackInOrder) {
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < 10000; ++i)
        entries.push_back(
            {"Titre " + std::to_string(i), "CD" + std::to_string(i % 97),
             i % 13 == 0 ? MemoOfUnits(i % 3000) : Value("Description " + std::to_string(i))});
    TempFolder folder;
    EXPECT_TRUE(RoundTrip(folder, entries) == entries);
    const std::string bytes = test_files::readFile(folder / "base.MDB");
    const jet::Database database(
        jet::ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_EQ(database.info().version, jet::Version::Jet4);
    EXPECT_EQ(database.TableNames(), std::vector<std::string>{"Index"});
    EXPECT_EQ(database.Table("index").rowCount, 10000u);
}

TEST(CatalogueRoundTrip, TableHasTwoTextColumnsAndAMemo) {
    TempFolder folder;
    EXPECT_TRUE(RoundTrip(folder, {}).empty());
    const std::string bytes = test_files::readFile(folder / "base.MDB");
    const jet::Database database(
        jet::ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    const auto columns = database.Table("Index").columns;
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].name, "Nom");
    EXPECT_EQ(columns[0].type, jet::ColumnType::Text);
    EXPECT_EQ(columns[0].length, 510); // 255 characters
    EXPECT_EQ(columns[1].name, "cd");
    EXPECT_EQ(columns[1].type, jet::ColumnType::Text);
    EXPECT_EQ(columns[2].name, "Description");
    EXPECT_EQ(columns[2].type, jet::ColumnType::Memo);
}
