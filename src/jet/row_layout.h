#pragma once
// Where each column's value lies in a row. A row holds its column count, the fixed-length
// columns, the variable-length ones, then (from the end) the null mask, the count of variable
// columns and their offsets, stored backwards, with the end of the variable data after them.
// Jet 3 keeps one-byte offsets and a jump table that adds 256 at each boundary it records.

#include "jet/page_file.h"
#include "jet/table_definition.h"

#include <cstdint>

namespace jet {

struct FieldBytes {
    bool null;
    ByteSpan bytes; // empty for a boolean, whose value is its bit in the null mask
    bool bit;       // the null-mask bit: for a boolean, its value
};

class RowLayout {
public:
    RowLayout(const PageFile& file, const TableDefinition& table);

    // The bytes of column `column` (an index into the definition's columns) of this row.
    // Throws FormatError when the row's structure does not hold together.
    class Row {
    public:
        Row(const RowLayout& layout, ByteSpan bytes);
        FieldBytes Field(std::size_t column) const;

    private:
        std::size_t VariableOffset(std::size_t index) const;

        const RowLayout& layout_;
        ByteSpan bytes_;
        std::size_t columnCount_;
        std::size_t nullMaskStart_;
        std::size_t variableCount_;
        std::size_t offsetsEnd_; // just after the last offset stored (the count, backwards)
        std::size_t jumpCount_;
        std::size_t variableDataStart_;
    };

private:
    const TableDefinition& table_;
    bool jet3_;
};

} // namespace jet
