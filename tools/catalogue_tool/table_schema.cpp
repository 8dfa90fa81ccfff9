#include "catalogue_tool/table_schema.h"

#include <algorithm>

namespace jet_writer {

bool IsFixedLength(jet::ColumnType type) {
    switch (type) {
    case jet::ColumnType::Boolean:
    case jet::ColumnType::Byte:
    case jet::ColumnType::Integer:
    case jet::ColumnType::LongInteger:
    case jet::ColumnType::DateTime:
        return true;
    default:
        return false;
    }
}

bool IsLongValue(jet::ColumnType type) {
    return type == jet::ColumnType::Memo || type == jet::ColumnType::Ole;
}

namespace {
// Booleans live in the row's null mask and take no room in the fixed area.
std::uint16_t FixedAreaShare(const ColumnDefinition& column) {
    return column.type == jet::ColumnType::Boolean ? 0 : column.size;
}
} // namespace

std::vector<ColumnPlace> ColumnPlaces(const TableSchema& schema) {
    std::vector<ColumnPlace> places;
    std::uint16_t fixedOffset = 0;
    std::uint16_t variableIndex = 0;
    for (const ColumnDefinition& column : schema.columns) {
        if (IsFixedLength(column.type)) {
            places.push_back({true, fixedOffset});
            fixedOffset = static_cast<std::uint16_t>(fixedOffset + FixedAreaShare(column));
        } else {
            places.push_back({false, variableIndex++});
        }
    }
    return places;
}

std::size_t FixedAreaSize(const TableSchema& schema) {
    std::size_t size = 0;
    for (const ColumnDefinition& column : schema.columns) {
        if (IsFixedLength(column.type)) {
            size += FixedAreaShare(column);
        }
    }
    return size;
}

std::size_t VariableColumnCount(const TableSchema& schema) {
    return static_cast<std::size_t>(
        std::count_if(schema.columns.begin(), schema.columns.end(),
                      [](const ColumnDefinition& column) { return !IsFixedLength(column.type); }));
}

} // namespace jet_writer
