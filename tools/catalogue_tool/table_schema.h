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

bool isFixedLength(jet::ColumnType type);
bool isLongValue(jet::ColumnType type);

std::vector<ColumnPlace> columnPlaces(const TableSchema& schema);
std::size_t fixedAreaSize(const TableSchema& schema);
std::size_t variableColumnCount(const TableSchema& schema);

} // namespace jet_writer
