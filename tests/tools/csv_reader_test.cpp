// The CSV reader: RFC 4180 quoting, encodings, line endings, and where it reports faults.

#include "catalogue_tool/csv_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using jet_writer::CsvReader;
using jet_writer::CsvRecord;
using jet_writer::InputError;

namespace {

struct Field {
    std::string text;
    bool quoted;
    bool operator==(const Field&) const = default;
};

std::vector<std::vector<Field>> ReadAll(const std::string& bytes) {
    std::istringstream input(bytes);
    CsvReader reader(input, "test.csv");
    std::vector<std::vector<Field>> records;
    for (CsvRecord record; reader.next(record);) {
        auto& fields = records.emplace_back();
        for (const auto& field : record.fields)
            fields.push_back({field.text, field.quoted});
    }
    return records;
}

// The place of the error that reading the whole input raises, as "line:column: problem".
std::string ErrorOf(const std::string& bytes) {
    try {
        ReadAll(bytes);
    } catch (const InputError& error) {
        return std::to_string(error.position().line) + ":" +
               std::to_string(error.position().column) + ": " + error.problem();
    }
    return "no error";
}

} // namespace

TEST(CsvReader, QuotedFieldsHoldCommasDoubledQuotesAndLineBreaks) {
    const auto records = ReadAll("a,\"b,c\",\"dit \"\"oui\"\"\"\r\n\"deux\r\nlignes\",x,\"\n\"\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], (std::vector<Field>{{"a", false}, {"b,c", true}, {"dit \"oui\"", true}}));
    EXPECT_EQ(records[1],
              (std::vector<Field>{{"deux\r\nlignes", true}, {"x", false}, {"\n", true}}));
}

TEST(CsvReader, TellsAnEmptyFieldFromQuotedEmptyText) {
    EXPECT_EQ(ReadAll(",\"\",\n"),
              (std::vector<std::vector<Field>>{{{"", false}, {"", true}, {"", false}}}));
}

TEST(CsvReader, AcceptsEveryLineEndingAByteOrderMarkAndBlankLines) {
    const std::vector<std::vector<Field>> expected = {
        {{"é", false}}, {{"b", false}}, {{"c", false}}};
    EXPECT_EQ(ReadAll("\xef\xbb\xbf\xc3\xa9\r\nb\nc"), expected);
    EXPECT_EQ(ReadAll("\xc3\xa9\rb\r\rc\r"), expected);
    EXPECT_EQ(ReadAll("\n\r\n\xc3\xa9\n\n\nb\r\n\r\nc\n\n"), expected);
    EXPECT_TRUE(ReadAll("").empty());
    EXPECT_TRUE(ReadAll("\xef\xbb\xbf").empty());
}

TEST(CsvReader, RecordsWhereEachFieldStarts) {
    std::istringstream input("\xef\xbb\xbfun,\"deux\nlignes\",\n\xc3\xa9t\xc3\xa9,x\r\n");
    CsvReader reader(input, "test.csv");
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.fields[1].start.line, 1u);
    EXPECT_EQ(record.fields[1].start.column, 4u);
    EXPECT_EQ(record.fields[2].start.line, 2u);
    EXPECT_EQ(record.fields[2].start.column, 9u);
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.fields[1].start.line, 3u);
    EXPECT_EQ(record.fields[1].start.column, 5u); // characters, not bytes
    EXPECT_EQ(record.end.column, 6u);
}

// The message names the bytes at fault, from the column where their character starts: not the
// byte after them, which may well start a good character.
TEST(CsvReader, RefusesInvalidUtf8WhereItStarts) {
    EXPECT_EQ(ErrorOf("ab,\xff"), "1:4: texte UTF-8 invalide (octet 0xFF)");
    EXPECT_EQ(ErrorOf("x\n\xc3\xa9\xc3("), "2:2: texte UTF-8 invalide (octet 0xC3 sans sa suite)");
    EXPECT_EQ(ErrorOf("\xc3\xa9\xe9t\xc3\xa9"),
              "1:2: texte UTF-8 invalide (octet 0xE9 sans sa suite)");
    EXPECT_EQ(ErrorOf("\x80"), "1:1: texte UTF-8 invalide (octet 0x80)");
    EXPECT_EQ(ErrorOf("\"\xc0\xaf\""), "1:2: texte UTF-8 invalide (octet 0xC0)"); // overlong
    EXPECT_EQ(ErrorOf("a\xed\xa0\x80"),
              "1:2: texte UTF-8 invalide (octets 0xED 0xA0)"); // surrogate
    EXPECT_EQ(ErrorOf("\xf4\x90\x80\x80"), "1:1: texte UTF-8 invalide (octets 0xF4 0x90)");
    EXPECT_EQ(ErrorOf("ab\xe2\x82"), "1:3: séquence UTF-8 tronquée en fin de fichier");
    EXPECT_EQ(ErrorOf("\xe2\x82,"), "1:1: texte UTF-8 invalide (octets 0xE2 0x82 sans leur suite)");
    EXPECT_EQ(ErrorOf("\xf0\x9f\x98\x80,\xf0\x9f\x98"),
              "1:3: séquence UTF-8 tronquée en fin de fichier");
}

TEST(CsvReader, RefusesUtf16FilesAndNulCharacters) {
    EXPECT_EQ(ErrorOf(std::string("\xff\xfeN\0o\0m\0", 8)),
              "1:1: le fichier est en UTF-16 ; enregistrez-le en UTF-8");
    EXPECT_EQ(ErrorOf(std::string("\xfe\xff\0N", 4)),
              "1:1: le fichier est en UTF-16 ; enregistrez-le en UTF-8");
    EXPECT_EQ(ErrorOf(std::string("a,b\nc\0", 6)), "2:2: caractère nul (U+0000) interdit");
}

TEST(CsvReader, RefusesMisplacedQuotes) {
    EXPECT_EQ(ErrorOf("a,\"b\n\nc"), "1:3: guillemet ouvert ici et jamais refermé");
    EXPECT_EQ(ErrorOf("\"a\"b,c"),
              "1:4: caractère inattendu après un guillemet fermant (un guillemet dans un "
              "champ entre guillemets s'écrit \"\")");
    EXPECT_EQ(ErrorOf("a,b\"c\""), "1:4: guillemet dans un champ sans guillemets (entourez le "
                                   "champ de guillemets et doublez ceux qu'il contient)");
}

TEST(CsvReader, ErrorMessageNamesFileLineAndColumn) {
    std::istringstream input("a\n\"b");
    CsvReader reader(input, "dossier/catalogue.csv");
    CsvRecord record;
    reader.next(record);
    try {
        reader.next(record);
        FAIL() << "an unclosed quote was accepted";
    } catch (const InputError& error) {
        EXPECT_STREQ(error.what(), "dossier/catalogue.csv, ligne 2, colonne 1 : guillemet ouvert "
                                   "ici et jamais refermé");
    }
}

TEST(CsvReader, ReadsRecordsLargerThanItsBuffer) {
    const std::string memo(200000, 'x');
    const std::string accents(100000, 'a');
    std::string text;
    for (int i = 0; i < 3; ++i)
        text += "\"" + memo + "\"," + accents + "\xc3\xa9\n";
    const auto records = ReadAll(text);
    ASSERT_EQ(records.size(), 3u);
    for (const auto& record : records)
        EXPECT_EQ(record, (std::vector<Field>{{memo, true}, {accents + "é", false}}));
}
