// Catalogues made by orvane-catalogue read back with our reader: every shape of text the CSV
// can hold comes back exactly, null apart from empty, in the file's order, whatever the size.

#include "jet_files.h"

#include "jet/page_file.h"
#include "jet/table_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using jet_test::BuildCatalogue;
using jet_test::ReadTable;
using jet_test::TextRow;

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return out + "\"";
}

std::string Line(const TextRow& row) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
        line += (i == 0 ? "" : ",") + (row[i] ? Quoted(*row[i]) : std::string());
    }
    return line + "\r\n";
}

// The CSV of these rows (Nom, cd, Description), built, then read back.
std::vector<TextRow> RoundTrip(const std::vector<TextRow>& rows) {
    std::string csv = "Nom,cd,Description\r\n";
    for (const TextRow& row : rows) {
        csv += Line(row);
    }
    return ReadTable(BuildCatalogue(csv), "Index");
}

std::string Repeated(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(BuiltCatalogue, EveryShapeOfTextComesBackExactly) {
    const std::vector<TextRow> rows = {
        {"Jeu de l'oie", "CD 1", "Un classique, \"revisité\""},
        {"Encyclopédie Œuvres", "CD é", "Ça coûte 10 € — à peine"},
        {"Ελληνικά", "Русский", "日本語のテキスト, 한국어, עברית, العربية"},
        {"a\U0001F600b", "\U00010348", "Des émojis \U0001F3B2\U0001F3AE et un \U0001D11E"},
        {"", "", ""},
        {std::nullopt, std::nullopt, std::nullopt},
        {"Plusieurs\r\nlignes", "CD\n2", "Tab\tet virgule, point-virgule;"},
    };
    EXPECT_EQ(RoundTrip(rows), rows);
}

TEST(BuiltCatalogue, MemosOfEveryLengthComeBackWhole) {
    // Inline in the row, one record of a long-value page, and chains over several pages; in
    // ASCII, accented and beyond-BMP text, whose UTF-16 forms have different lengths.
    std::vector<TextRow> rows;
    for (const std::size_t length : {511u, 512u, 513u, 2000u, 4070u, 4100u, 30000u, 200000u}) {
        rows.push_back({"ascii", std::to_string(length), Repeated("x", length)});
        rows.push_back({"accents", std::to_string(length), Repeated("é", length)});
    }
    rows.push_back({"emoji", "chain", Repeated("\U0001F600", 9000)});
    EXPECT_EQ(RoundTrip(rows), rows);
}

TEST(BuiltCatalogue, ThousandsOfRowsComeInTheFileOrder) {
    std::vector<TextRow> rows;
    for (int i = 0; i < 3000; ++i) {
        const std::string number = std::to_string(i);
        rows.push_back({"Jeu " + number, i % 7 == 0 ? TextRow::value_type() : "CD " + number,
                        i % 11 == 0 ? "" : "Description " + number});
    }
    EXPECT_EQ(RoundTrip(rows), rows);
}

class CollectingSink : public jet::RowSink {
public:
    void Row(std::span<const jet::Field> fields) override {
        TextRow row;
        for (const jet::Field& field : fields) {
            row.push_back(field.null ? std::nullopt : std::optional<std::string>(field.text));
        }
        rows.push_back(row);
    }
    std::vector<TextRow> rows;
};

TEST(BuiltCatalogue, PagesSplitBetweenThreadsGiveTheRowsInOrder) {
    std::string csv = "Nom,cd,Description\n";
    for (int i = 0; i < 3000; ++i) {
        csv += "Jeu " + std::to_string(i) + ",CD," + std::string(i % 300, 'd') + "\n";
    }
    const jet_test::FileBytes file = BuildCatalogue(csv);
    const std::vector<TextRow> whole = ReadTable(file, "Index");
    const jet::Database database(file);
    const jet::TableDefinition table = database.Table("Index");
    const std::vector<std::size_t> columns = {2, 0};
    for (const std::size_t parts : {1u, 2u, 3u, 7u}) {
        std::vector<CollectingSink> sinks(parts);
        std::vector<jet::RowSink*> pointers;
        for (CollectingSink& sink : sinks) {
            pointers.push_back(&sink);
        }
        database.ReadRowsInParts(table, columns, pointers);
        std::vector<TextRow> joined;
        for (const CollectingSink& sink : sinks) {
            joined.insert(joined.end(), sink.rows.begin(), sink.rows.end());
        }
        ASSERT_EQ(joined.size(), whole.size()) << parts << " parts";
        for (std::size_t i = 0; i < whole.size(); ++i) {
            ASSERT_EQ(joined[i], (TextRow{whole[i][2], whole[i][0]}))
                << parts << " parts, row " << i;
        }
    }
}

TEST(BuiltCatalogue, ATableSpreadOverManyPagesIsReadThroughBitmapPages) {
    // Past 512 pages the table's usage map lists bitmap pages instead of holding the bits.
    std::vector<TextRow> rows;
    for (int i = 0; i < 40000; ++i) {
        rows.push_back(
            {"Titre " + std::to_string(i), "CD", "Texte assez long " + std::to_string(i * 7919)});
    }
    const jet_test::FileBytes file = BuildCatalogue([&] {
        std::string csv = "Nom,cd,Description\n";
        for (const TextRow& row : rows) {
            csv += Line(row);
        }
        return csv;
    }());
    const jet::Database database(file);
    const jet::TableDefinition table = database.Table("Index");
    const jet::TableRows tableRows(database.pages(), table);
    ASSERT_GT(tableRows.pages().back() - tableRows.pages().front(), 512u);
    EXPECT_EQ(ReadTable(file, "Index"), rows);
}

TEST(BuiltCatalogue, TablesAndColumnsAreFoundWithoutRegardToCase) {
    const jet_test::FileBytes file = BuildCatalogue("Nom,cd,Description\nA,B,C\n");
    const std::vector<TextRow> expected = {{"C", "A"}};
    EXPECT_EQ(ReadTable(file, "iNDEX", {"DESCRIPTION", "nom"}), expected);
    const jet::Database database(file);
    EXPECT_EQ(database.TableNames(), std::vector<std::string>{"Index"});
    const jet::TableDefinition table = database.Table("index");
    ASSERT_EQ(table.columns.size(), 3u);
    EXPECT_EQ(table.columns[0].name, "Nom");
    EXPECT_EQ(table.columns[1].name, "cd");
    EXPECT_EQ(table.columns[2].name, "Description");
}

TEST(BuiltCatalogue, AMissingTableIsNamedInTheMessage) {
    const jet_test::FileBytes file = BuildCatalogue("Nom,cd,Description\nA,B,C\n");
    EXPECT_EQ(jet_test::RefusalOf(file, "Catalogue"), "Le fichier " + jet::Quoted("base.MDB") +
                                                          " ne contient pas la table " +
                                                          jet::Quoted("Catalogue") + ".");
    // System tables are not the user's.
    EXPECT_EQ(jet::Database(file).TableNames().size(), 1u);
}

TEST(BuiltCatalogue, AnEmptyCatalogueHasNoRows) {
    EXPECT_TRUE(ReadTable(BuildCatalogue("Nom,cd,Description\n"), "Index").empty());
}

} // namespace
