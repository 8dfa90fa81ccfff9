#pragma once
// The columns of a table and where each one sits in a row: fixed-length columns in a fixed
// area at the start of the row, the others through the row's table of offsets.

#include "jet/format.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace jet_writer {

struct ColumnDefinition {
    std::u16string name;
    jet::ColumnType type;
    std::uint16_t size; // bytes: of a fixed column, or the most a text column holds; 0 for memo
};

struct TableSchema {
    std::vector<ColumnDefinition> columns;
    bool system = false;
};

struct ColumnPlace {
    bool fixed;
    std::uint16_t position; // offset in the fixed area, or index in the offset table
};

bool IsFixedLength(jet::ColumnType type);
bool IsLongValue(jet::ColumnType type);

std::vector<ColumnPlace> ColumnPlaces(const TableSchema& schema);
std::size_t FixedAreaSize(const TableSchema& schema);
std::size_t VariableColumnCount(const TableSchema& schema);

} // namespace jet_writer
