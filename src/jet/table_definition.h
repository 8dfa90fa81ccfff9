#pragma once
// Table definitions: the table's declared row count, its usage map, and its columns with
// where each one sits in a row. A definition may run over several pages.

#include "jet/page_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

struct Column {
    std::string name; // UTF-8
    ColumnType type;
    std::uint16_t number;        // place in the row's null mask; deleted columns keep theirs
    std::uint16_t variableIndex; // place in the row's table of offsets, for variable columns
    std::uint16_t fixedOffset;   // place in the row's fixed area, for fixed columns
    std::uint16_t length;        // bytes of a fixed column, or the most a text column holds
    std::uint8_t flags;
    std::uint8_t precision;
    std::uint8_t scale;
    bool fixed;
    bool calculated; // ACE: the stored result of an expression
};

struct TableDefinition {
    std::uint32_t page = 0;
    std::uint32_t rowCount = 0;
    std::uint32_t usageMap = 0; // row pointer
    std::uint16_t variableColumnCount = 0;
    std::vector<Column> columns; // in the table's order
};

// Reads the definition that starts on this page; throws FormatError on damage.
TableDefinition ReadTableDefinition(const PageFile& file, std::uint32_t page);

// The index of the column of that name, without regard to case; -1 when there is none.
std::ptrdiff_t FindColumn(const TableDefinition& table, std::string_view name);

} // namespace jet
