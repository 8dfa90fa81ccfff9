#pragma once
// A reader of CSV files as RFC 4180 describes them: comma-separated fields, fields in double
// quotes may hold commas, line breaks and doubled quotes. Records end with CRLF, LF or CR; the
// last one may end with the file. The text must be UTF-8, with or without a byte-order mark.
// Blank lines hold no record and are skipped. Each field remembers whether it was quoted, so
// that a caller can tell an empty field from "".

#include "catalogue_tool/errors.h"
#include "catalogue_tool/text_encoding.h"

#include <array>
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace jet_writer {

struct CsvField {
    std::string text; // UTF-8, checked
    bool quoted = false;
    TextPosition start;
};

struct CsvRecord {
    std::vector<CsvField> fields;
    TextPosition end; // just after the last field
};

class CsvReader {
public:
    CsvReader(std::istream& input, std::string sourceName);

    // Reads the next record; false at the end of the file. Throws InputError.
    bool next(CsvRecord& record);

    const std::string& sourceName() const { return sourceName_; }

private:
    [[noreturn]] void failInvalid(unsigned char byte) const;
    int peek();
    void advance();
    void takePlainRun(std::string& text);
    bool refill();
    void skipByteOrderMark();
    bool skipBlankLines();
    void readField(CsvField& field);
    void readQuoted(CsvField& field);
    void readUnquoted(CsvField& field);
    void endOfLine();
    [[noreturn]] void fail(TextPosition at, const std::string& problem) const;

    std::istream& input_;
    std::string sourceName_;
    std::array<char, 65536> buffer_{};
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    TextPosition here_;
    TextPosition characterStart_;
    Utf8Validator utf8_;
    std::string sequence_; // the bytes of the character being read
    bool afterCarriageReturn_ = false;
};

} // namespace jet_writer
