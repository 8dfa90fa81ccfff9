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
};

class RowDecoder {
public:
    // columns: indices into the definition's columns. Throws FormatError::Unsupported, naming
    // the column, when one is of a type this reader does not read.
    RowDecoder(const PageFile& file, const TableDefinition& table,
               std::vector<std::size_t> columns);

    std::span<const Field> Decode(ByteSpan row);

private:
    void DecodeField(const RowLayout::Row& row, std::size_t k);

    const PageFile& file_;
    const TableDefinition& table_;
    RowLayout layout_;
    TextDecoder text_;
    std::vector<std::size_t> columns_;
    std::vector<std::string> buffers_;
    std::vector<Field> fields_;
    Bytes scratch_;
};

} // namespace jet
