// Reading the public files that Microsoft Access wrote: Jet 3 with code-page text and memos,
// Jet 4, and ACE.

#include "catalogue/jet_error.h"
#include "jet_test_files.h"
#include "reader/libmdb/jet_database.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using reader::JetDatabase;
using reader::JetFormat;
using reader::JetRows;
using reader::JetType;
using Value = std::optional<std::string>;

std::filesystem::path fixture(const std::string& name) {
    return jet_test::fixturesFolder() / name;
}

std::vector<std::vector<Value>> readTable(const std::filesystem::path& file,
                                          const std::string& table,
                                          const std::vector<std::string>& fields) {
    JetDatabase database(file);
    auto opened = database.openTable(table);
    std::vector<std::vector<Value>> rows;
    opened.readRows(fields, [&](reader::JetTable::RowValues values) {
        auto& row = rows.emplace_back();
        for (const auto& value : values) {
            row.push_back(value ? Value(std::string(*value)) : std::nullopt);
        }
    });
    return rows;
}

// The fields of a table that can be read as text: all but binary and OLE ones.
std::vector<std::string> textFields(const reader::JetTable& table) {
    std::vector<std::string> fields;
    for (const auto& column : table.columns()) {
        if (column.type != JetType::Ole && column.type != JetType::Binary) {
            fields.push_back(column.name);
        }
    }
    return fields;
}

TEST(JetFixtures, Jet3FileListsItsUserTablesWithAccentedNames) {
    REQUIRE_JET_FIXTURES();
    const JetDatabase database(fixture("nwind.mdb"));
    EXPECT_EQ(database.format(), JetFormat::Jet3);
    const std::vector<std::string> expected = {"Order Details", "Orders",     "Products",
                                               "Shippers",      "Categories", "Customers",
                                               "Employees",     "Suppliers",  "Umsätze"};
    EXPECT_EQ(database.tableNames(), expected);
}

TEST(JetFixtures, TableNamesMatchWithoutRegardToLetterCaseAcrossUnicode) {
    REQUIRE_JET_FIXTURES();
    const JetDatabase database(fixture("nwind.mdb"));
    for (const char* asked : {"Umsätze", "umsätze", "UMSÄTZE"}) {
        const auto table = database.openTable(asked);
        EXPECT_EQ(table.name(), "Umsätze") << asked;
        EXPECT_EQ(table.declaredRowCount(), 830u);
    }
}

TEST(JetFixtures, Jet3MemosComeBackWholeAndInTableOrder) {
    REQUIRE_JET_FIXTURES();
    const auto rows = readTable(fixture("nwind.mdb"), "Employees", {"LastName", "Notes"});
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0][0], "Davolio");
    EXPECT_EQ(rows[0][1], "Education includes a BA in psychology from Colorado State University "
                          "in 1970.  She also completed \"The Art of the Cold Call.\"  Nancy is a "
                          "member of Toastmasters International.");
    EXPECT_EQ(rows[1][0], "Fuller");
    ASSERT_TRUE(rows[1][1]);
    EXPECT_EQ(rows[1][1]->size(), 448u);
    EXPECT_TRUE(rows[1][1]->starts_with("Andrew received his BTS commercial in 1974"));
    EXPECT_TRUE(rows[1][1]->ends_with("and the Pacific Rim Importers Association."));
}

TEST(JetFixtures, Jet3CodePageTextAndNullsComeBackAsUtf8) {
    REQUIRE_JET_FIXTURES();
    const auto products = readTable(fixture("nwind.mdb"), "Products", {"ProductName"});
    ASSERT_EQ(products.size(), 77u);
    EXPECT_EQ(products[23][0], "Guaraná Fantástica");
    EXPECT_EQ(products[37][0], "Côte de Blaye");
    EXPECT_EQ(products[54][0], "Pâté chinois");

    const auto sales = readTable(fixture("nwind.mdb"), "Umsätze", {"ShipAddress", "ShipRegion"});
    ASSERT_EQ(sales.size(), 830u);
    EXPECT_EQ(sales[0],
              (std::vector<Value>{"Carrera 52 con Ave. Bolívar #65-98 Llano Largo", "Lara"}));
    EXPECT_EQ(sales[1], (std::vector<Value>{"12, rue des Bouchers", std::nullopt}));
}

TEST(JetFixtures, FieldsMatchWithoutRegardToLetterCaseInTheOrderAsked) {
    REQUIRE_JET_FIXTURES();
    const auto rows =
        readTable(fixture("nwind.mdb"), "employees", {"NOTES", "lastname", "LastName"});
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_TRUE(rows[0][0]->starts_with("Education includes"));
    EXPECT_EQ(rows[0][1], "Davolio");
    EXPECT_EQ(rows[0][2], "Davolio");
}

TEST(JetFixtures, ColumnsGiveTheirNamesAndKinds) {
    REQUIRE_JET_FIXTURES();
    const JetDatabase database(fixture("nwind.mdb"));
    const auto columns = database.openTable("Categories").columns();
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[0].name, "CategoryID");
    EXPECT_EQ(columns[0].type, JetType::LongInteger);
    EXPECT_EQ(columns[1].name, "CategoryName");
    EXPECT_EQ(columns[1].type, JetType::Text);
    EXPECT_EQ(columns[1].size, 15);
    EXPECT_EQ(columns[2].type, JetType::Memo);
    EXPECT_EQ(columns[3].type, JetType::Ole);
}

TEST(JetFixtures, OtherKindsOfFieldsComeBackAsText) {
    REQUIRE_JET_FIXTURES();
    const auto products = readTable(fixture("nwind.mdb"), "Products",
                                    {"ProductID", "UnitPrice", "UnitsInStock", "Discontinued"});
    EXPECT_EQ(products[0], (std::vector<Value>{"1", "18.0000", "39", "0"}));
    EXPECT_EQ(products[4][3], "1"); // Chef Anton's Gumbo Mix is discontinued
    const auto employees = readTable(fixture("nwind.mdb"), "Employees", {"BirthDate"});
    EXPECT_EQ(employees[0][0], "1948-12-08 00:00:00");
}

TEST(JetFixtures, EveryTableOfEveryFileReadsToItsDeclaredRowCount) {
    REQUIRE_JET_FIXTURES();
    for (const char* name : {"nwind.mdb", "DateTestDatabase.mdb", "ASampleDatabase.accdb"}) {
        const JetDatabase database(fixture(name));
        for (const auto& tableName : database.tableNames()) {
            auto table = database.openTable(tableName);
            std::size_t rows = 0;
            table.readRows(textFields(table), [&](reader::JetTable::RowValues) { ++rows; });
            EXPECT_EQ(rows, table.declaredRowCount()) << name << " " << tableName;
        }
    }
}

TEST(JetFixtures, Jet4TextAndMemoColumns) {
    REQUIRE_JET_FIXTURES();
    EXPECT_EQ(JetDatabase(fixture("DateTestDatabase.mdb")).format(), JetFormat::Jet4);
    const auto rows = readTable(fixture("DateTestDatabase.mdb"), "DateTest",
                                {"IDCol", "LongTextCol", "ShortTextCol"});
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (std::vector<Value>{"1", "Hello", "Hello"}));
    EXPECT_EQ(rows[5], (std::vector<Value>{"6", "New line\r\nin field", "No new line"}));
}

TEST(JetFixtures, AceFileWithNullMemos) {
    REQUIRE_JET_FIXTURES();
    const JetDatabase database(fixture("ASampleDatabase.accdb"));
    EXPECT_EQ(database.format(), JetFormat::Ace);
    EXPECT_EQ(database.tableNames(), std::vector<std::string>{"Asset Items"});
    auto table = database.openTable("asset items");
    const JetRows rows = table.readAll({"Asset No", "Description", "Comments"});
    ASSERT_EQ(rows.rowCount(), 65u);
    EXPECT_EQ(rows.columnNames(),
              (std::vector<std::string>{"Asset No", "Description", "Comments"}));
    EXPECT_EQ(rows.value(0, 0), "30050");
    EXPECT_EQ(rows.value(0, 1), "Computer");
    EXPECT_EQ(rows.value(0, 2), std::nullopt);
}

TEST(JetFixtures, ReadAllKeepsWhatReadRowsGives) {
    REQUIRE_JET_FIXTURES();
    const std::vector<std::string> fields = {"CustomerID", "Region", "Address"};
    const auto expected = readTable(fixture("nwind.mdb"), "Customers", fields);
    const JetDatabase database(fixture("nwind.mdb"));
    const JetRows rows = database.openTable("Customers").readAll(fields);
    ASSERT_EQ(rows.rowCount(), expected.size());
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        for (std::size_t column = 0; column < fields.size(); ++column) {
            const auto value = rows.value(row, column);
            EXPECT_EQ(value ? Value(std::string(*value)) : std::nullopt, expected[row][column]);
        }
    }
    EXPECT_GE(rows.memoryBytes(), rows.textBytes());
}

// libmdb picks its text conversions from these variables when it opens a file.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(JetFixtures, ReadingIgnoresLibmdbsEnvironmentVariables) {
    REQUIRE_JET_FIXTURES();
    const ScopedEnvironment target("MDBICONV", "ISO-8859-1");
    const ScopedEnvironment jet3("MDB_JET3_CHARSET", "CP1251");
    const JetDatabase database(fixture("nwind.mdb"));
    EXPECT_EQ(database.tableNames().back(), "Umsätze");
    const auto products = readTable(fixture("nwind.mdb"), "Products", {"ProductName"});
    EXPECT_EQ(products[23][0], "Guaraná Fantástica");
    EXPECT_EQ(JetDatabase(fixture("ASampleDatabase.accdb")).tableNames(),
              std::vector<std::string>{"Asset Items"});
}

} // namespace
