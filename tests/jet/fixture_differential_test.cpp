// The public Access-written files beside the repository (Access 97 to 2010), every table read
// by our reader and compared with mdb-export (Debian's mdbtools) field by field, and the text
// and memo columns with what an independent reader read from them (the expected/ files).
// Where mdb-export is wrong, the test says so and why, with the bytes that show it.

#include "jet_files.h"

#include "jet/row_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using jet_test::FileBytes;
using jet_test::FixturesFolder;

const char* const kFiles[] = {
    "nwind.mdb",
    "DateTestDatabase.mdb",
    "ASampleDatabase.accdb",
    "access-written/testV1997.mdb",
    "access-written/test2V1997.mdb",
    "access-written/delTestV1997.mdb",
    "access-written/overflowTestV1997.mdb",
    "access-written/testV2000.mdb",
    "access-written/delColTestV2000.mdb",
    "access-written/fixedTextTestV2000.mdb",
    "access-written/testV2003.mdb",
    "access-written/testUnicodeCompV2003.mdb",
    "access-written/testV2007.accdb",
    "access-written/complexDataTestV2007.accdb",
    "access-written/testV2010.accdb",
    "access-written/testEmoticonsV2010.accdb",
    "access-written/calcFieldTestV2010.accdb",
};

// calcFieldTestV2010.accdb, table Table1: its definition (page 86) declares 3 rows at offset
// 16 (03 00 00 00) and 4 as the next autonumber at offset 20 (04 00 00 00), yet its data page
// holds four live rows whose ID are 1, 2, 3 and 4, all four shown by Access itself. Access
// leaves the declared count behind, so more rows than declared are read, not refused. Its
// calculated fields come out of mdb-export empty or as stray characters ("I\u4000\u5900" for
// "Wayne, Bruce=Wayne, Bruce"): it is checked against the expected/ file only.
constexpr const char* kCalculatedFile = "access-written/calcFieldTestV2010.accdb";

// testEmoticonsV2010.accdb: its text holds characters beyond the first plane as surrogate
// pairs (3D D8 00 DE for U+1F600); mdb-export decodes UCS-2 and writes each as "??". Its text
// is checked against the expected/ file only.
constexpr const char* kBeyondPlaneFile = "access-written/testEmoticonsV2010.accdb";

using CsvRecord = std::vector<std::string>;

// Splits RFC 4180 text into records.
std::vector<CsvRecord> ParseCsv(const std::string& text) {
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    bool quoted = false;
    bool any = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == ',') {
            record.push_back(field);
            field.clear();
        } else if (c == '\n') {
            record.push_back(field);
            records.push_back(record);
            record.clear();
            field.clear();
            any = false;
        } else if (c != '\r') {
            field += c;
            any = true;
        }
    }
    if (any || !record.empty()) {
        record.push_back(field);
        records.push_back(record);
    }
    return records;
}

bool HaveMdbExport() {
    return std::system("mdb-export --version > /dev/null 2>&1") == 0;
}

std::string ShellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

std::string MdbExport(const std::filesystem::path& file, const std::string& table) {
    // mdb-export takes its arguments in the locale's character set: without a locale, a table
    // name such as "Umsätze" is refused as an invalid byte sequence.
    const std::string command =
        "LC_ALL=C.UTF-8 mdb-export -D '%Y-%m-%d %H:%M:%S' -T '%Y-%m-%d %H:%M:%S' " +
        ShellQuoted(file.string()) + " " + ShellQuoted(table);
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, got);
    }
    pclose(pipe);
    return out;
}

// The columns our reader reads; the others it must refuse by name.
std::vector<std::size_t> ReadableColumns(const jet::Database& database,
                                         const jet::TableDefinition& table) {
    std::vector<std::size_t> readable;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        try {
            jet::RowDecoder decoder(database.pages(), table, {i});
            readable.push_back(i);
        } catch (const jet::FormatError& error) {
            EXPECT_EQ(error.kind(), jet::FormatError::Kind::Unsupported);
            EXPECT_NE(error.detail().find(jet::Quoted(table.columns[i].name)), std::string::npos);
        }
    }
    return readable;
}

struct Collected : jet::RowSink {
    void Row(std::span<const jet::Field> fields) override {
        jet_test::TextRow row;
        for (const jet::Field& field : fields) {
            row.push_back(field.null ? std::nullopt : std::optional<std::string>(field.text));
        }
        rows.push_back(row);
    }
    std::vector<jet_test::TextRow> rows;
};

// mdb-export writes floats with eight significant digits (0.15000001 for the float nearest
// 0.15, stored CD CC CC 3D), we write the shortest text that reads back as the same float:
// the two must name the same number.
bool SameSingle(const std::string& theirs, const std::string& ours) {
    return std::strtof(theirs.c_str(), nullptr) == std::strtof(ours.c_str(), nullptr);
}

// mdb-export cannot show dates outside its calendar and writes a day 0 instead (DateTest's
// 9999-01-01, stored 00 00 00 80 8A 91 46 41 = 2958101.0 days, comes out as 1900-01-00);
// DatesOutsideMdbExportsCalendar checks those values.
bool MdbExportLostTheDate(const std::string& theirs) {
    return theirs.rfind("1900-01-00", 0) == 0;
}

void CompareField(const jet::Column& column, const std::string& theirs,
                  const std::optional<std::string>& ours, const std::string& where) {
    const std::string mine = ours.value_or(""); // mdb-export writes null as it writes ""
    if (column.type == jet::ColumnType::Single) {
        EXPECT_TRUE(SameSingle(theirs, mine)) << where << ": " << theirs << " / " << mine;
    } else if (column.type == jet::ColumnType::DateTime && MdbExportLostTheDate(theirs)) {
        EXPECT_NE(mine.rfind("1900-01-00", 0), 0u) << where;
    } else {
        EXPECT_EQ(theirs, mine) << where;
    }
}

void CompareTable(const std::string& name, const jet::Database& database,
                  const std::string& tableName) {
    const jet::TableDefinition table = database.Table(tableName);
    const std::vector<std::size_t> columns = ReadableColumns(database, table);
    Collected ours;
    database.ReadRows(table, columns, ours);
    const std::vector<CsvRecord> theirs = ParseCsv(MdbExport(FixturesFolder() / name, tableName));
    ASSERT_FALSE(theirs.empty()) << name << " " << tableName;
    ASSERT_EQ(theirs.size() - 1, ours.rows.size()) << name << " " << tableName;
    std::map<std::string, std::size_t> theirColumn;
    for (std::size_t i = 0; i < theirs[0].size(); ++i) {
        theirColumn[theirs[0][i]] = i;
    }
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const jet::Column& column = table.columns[columns[k]];
        ASSERT_TRUE(theirColumn.count(column.name)) << column.name;
        for (std::size_t row = 0; row < ours.rows.size(); ++row) {
            const std::string where =
                name + " " + tableName + " row " + std::to_string(row) + " " + column.name;
            CompareField(column, theirs[row + 1].at(theirColumn[column.name]), ours.rows[row][k],
                         where);
        }
    }
}

TEST(AccessFiles, EveryTableReadsAsMdbExportReadsIt) {
    REQUIRE_JET_FIXTURES();
    if (!HaveMdbExport()) {
        GTEST_SKIP() << "needs mdb-export (Debian's mdbtools) as the reference";
    }
    int tables = 0;
    for (const std::string name : kFiles) {
        const FileBytes bytes = jet_test::ReadBytes(FixturesFolder() / name);
        const jet::Database database(bytes);
        for (const std::string& table : database.TableNames()) {
            if (name == kCalculatedFile || name == kBeyondPlaneFile) {
                continue;
            }
            CompareTable(name, database, table);
            ++tables;
        }
    }
    EXPECT_EQ(tables, 38);
}

// One table of an expected/ file: the rows, each a list of (column, value or null).
using ExpectedRow = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Reads the JSON arrays the expected/ files hold: [["column", "value"-or-null], ...].
class JsonRowReader {
public:
    explicit JsonRowReader(const std::string& line) : text_(line) {}

    ExpectedRow Row() {
        ExpectedRow row;
        Expect('[');
        while (Peek() == '[') {
            Expect('[');
            std::string column = String();
            Expect(',');
            std::optional<std::string> value;
            if (Peek() == 'n') {
                at_ += 4;
            } else {
                value = String();
            }
            Expect(']');
            row.emplace_back(std::move(column), std::move(value));
            if (Peek() == ',') {
                ++at_;
            }
        }
        Expect(']');
        return row;
    }

private:
    char Peek() {
        while (at_ < text_.size() && text_[at_] == ' ') {
            ++at_;
        }
        return at_ < text_.size() ? text_[at_] : '\0';
    }
    void Expect(char c) {
        EXPECT_EQ(Peek(), c) << text_.substr(0, 80);
        ++at_;
    }
    unsigned Hex4() {
        const unsigned value = static_cast<unsigned>(std::stoul(text_.substr(at_, 4), nullptr, 16));
        at_ += 4;
        return value;
    }
    std::string String() {
        Expect('"');
        std::string out;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] != '\\') {
                out += text_[at_++];
                continue;
            }
            const char escaped = text_[++at_];
            ++at_;
            switch (escaped) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u':
                AppendEscaped(out);
                break;
            default:
                out += escaped;
                break;
            }
        }
        ++at_;
        return out;
    }
    void AppendEscaped(std::string& out) {
        char32_t c = Hex4();
        if (c >= 0xd800 && c <= 0xdbff && text_.compare(at_, 2, "\\u") == 0) {
            at_ += 2;
            c = 0x10000 + ((c - 0xd800) << 10) + (Hex4() - 0xdc00);
        }
        jet::AppendUtf8(c, out);
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

std::map<std::string, std::vector<ExpectedRow>> ReadExpected(const std::filesystem::path& file) {
    std::map<std::string, std::vector<ExpectedRow>> tables;
    std::ifstream in(file);
    std::string line;
    std::string table;
    while (std::getline(in, line)) {
        if (line.rfind("#TABLE ", 0) == 0) {
            table = line.substr(7);
            tables[table];
        } else if (!line.empty() && line[0] == '[') {
            tables[table].push_back(JsonRowReader(line).Row());
        }
    }
    return tables;
}

void CompareWithExpected(const std::string& name, const jet::Database& database,
                         const std::string& tableName, const std::vector<ExpectedRow>& rows) {
    const jet::TableDefinition table = database.Table(tableName);
    std::vector<std::size_t> columns;
    if (!rows.empty()) {
        for (const auto& [column, value] : rows[0]) {
            columns.push_back(static_cast<std::size_t>(jet::FindColumn(table, column)));
        }
    }
    Collected ours;
    database.ReadRows(table, columns, ours);
    ASSERT_EQ(ours.rows.size(), rows.size()) << name << " " << tableName;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            EXPECT_EQ(ours.rows[row][k], rows[row][k].second)
                << name << " " << tableName << " row " << row << " " << rows[row][k].first;
        }
    }
}

TEST(AccessFiles, TextAndMemoReadAsAnIndependentReaderReadsThem) {
    REQUIRE_JET_FIXTURES();
    int tables = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(FixturesFolder() / "access-written" / "expected")) {
        const std::string file = entry.path().stem().string(); // testV1997.mdb
        const std::string name = "access-written/" + file;
        const FileBytes bytes = jet_test::ReadBytes(FixturesFolder() / name);
        const jet::Database database(bytes);
        for (const auto& [table, rows] : ReadExpected(entry.path())) {
            CompareWithExpected(name, database, table, rows);
            ++tables;
        }
    }
    EXPECT_EQ(tables, 29);
}

TEST(AccessFiles, DatesOutsideMdbExportsCalendar) {
    REQUIRE_JET_FIXTURES();
    const FileBytes bytes = jet_test::ReadBytes(FixturesFolder() / "DateTestDatabase.mdb");
    const auto rows = jet_test::ReadTable(bytes, "DateTest", {"DateTimeCol", "TimeCol"});
    ASSERT_EQ(rows.size(), 6u);
    // 00 00 00 80 8A 91 46 41: 2958101.0 days after 1899-12-30.
    EXPECT_EQ(rows[1][0], "9999-01-01 00:00:00");
    // 00 00 00 00 00 C0 86 C0: -728.0 days.
    EXPECT_EQ(rows[2][0], "1898-01-01 00:00:00");
    // 00 00 00 00 00 00 00 40: 2.0 days.
    EXPECT_EQ(rows[2][1], "1900-01-01 00:00:00");
}

TEST(AccessFiles, ProtectedAndUnreadableColumnsAreRefusedByName) {
    REQUIRE_JET_FIXTURES();
    const FileBytes bytes = jet_test::ReadBytes(FixturesFolder() / "nwind.mdb");
    const jet::Database database(bytes);
    const jet::TableDefinition employees = database.Table("employees");
    try {
        Collected rows;
        database.ReadRows(employees, rows);
        FAIL() << "an OLE column was read";
    } catch (const jet::FormatError& error) {
        EXPECT_EQ(error.Message("nwind.mdb"),
                  "Le fichier " + jet::Quoted("nwind.mdb") + " ne peut pas être lu : le champ " +
                      jet::Quoted("Photo") + " contient un objet OLE, que ce lecteur ne lit pas.");
    }
}

} // namespace
