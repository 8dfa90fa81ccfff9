#pragma once
// Turns rows into the text of the wanted fields: text and memo in UTF-8, other values as
// value_text.h writes them, and null apart from the empty text.

#include "jet/long_value.h"
#include "jet/row_layout.h"
#include "jet/table_definition.h"
#include "jet/text_decoding.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

struct Field {
    bool null;
    std::string_view text; // valid until the next row is decoded
    bool utf16 = false;    // text holds UTF-16LE units as the file stores them, not UTF-8
};

// How text comes out: always in UTF-8, or, where the file stores it as plain UTF-16, as the
// stored units themselves, for a caller that decodes them while doing more with them.
enum class TextForm { Utf8, StoredUtf16 };

class RowDecoder {
public:
    // columns: indices into the definition's columns. Throws FormatError::Unsupported, naming
    // the column, when one is of a type this reader does not read.
    RowDecoder(const PageFile& file, const TableDefinition& table, std::vector<std::size_t> columns,
               TextForm form = TextForm::Utf8);

    std::span<const Field> Decode(ByteSpan row);

private:
    void DecodeField(const RowLayout::Row& row, std::size_t k);
    Field TextField(ByteSpan stored, std::string& out) const;

    const PageFile& file_;
    const TableDefinition& table_;
    RowLayout layout_;
    TextDecoder text_;
    TextForm form_;
    std::vector<std::size_t> columns_;
    std::vector<std::string> buffers_;
    std::vector<Field> fields_;
    std::vector<Bytes> scratch_; // each column's own: a value left as stored may lie there
};

} // namespace jet
