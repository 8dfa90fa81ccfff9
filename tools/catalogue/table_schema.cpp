#include "table_schema.h"

#include <algorithm>

namespace jet_writer {

bool isFixedLength(ColumnType type) {
    switch (type) {
    case ColumnType::boolean:
    case ColumnType::byte:
    case ColumnType::integer:
    case ColumnType::longInteger:
    case ColumnType::dateTime:
        return true;
    default:
        return false;
    }
}

bool isLongValue(ColumnType type) {
    return type == ColumnType::memo || type == ColumnType::ole;
}

namespace {
// Booleans live in the row's null mask and take no room in the fixed area.
std::uint16_t fixedAreaShare(const ColumnDefinition& column) {
    return column.type == ColumnType::boolean ? 0 : column.size;
}
} // namespace

std::vector<ColumnPlace> columnPlaces(const TableSchema& schema) {
    std::vector<ColumnPlace> places;
    std::uint16_t fixedOffset = 0;
    std::uint16_t variableIndex = 0;
    for (const ColumnDefinition& column : schema.columns) {
        if (isFixedLength(column.type)) {
            places.push_back({true, fixedOffset});
            fixedOffset = static_cast<std::uint16_t>(fixedOffset + fixedAreaShare(column));
        } else {
            places.push_back({false, variableIndex++});
        }
    }
    return places;
}

std::size_t fixedAreaSize(const TableSchema& schema) {
    std::size_t size = 0;
    for (const ColumnDefinition& column : schema.columns)
        if (isFixedLength(column.type))
            size += fixedAreaShare(column);
    return size;
}

std::size_t variableColumnCount(const TableSchema& schema) {
    return static_cast<std::size_t>(
        std::count_if(schema.columns.begin(), schema.columns.end(),
                      [](const ColumnDefinition& column) { return !isFixedLength(column.type); }));
}

} // namespace jet_writer
