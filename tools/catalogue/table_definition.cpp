#include "table_definition.h"

#include "text_encoding.h"

#include <stdexcept>

namespace jet_writer {

namespace {

constexpr std::size_t columnEntrySize = 25;

std::uint8_t columnFlags(const TableSchema& schema, const ColumnDefinition& column) {
    std::uint8_t flags = columnNullable;
    if (isFixedLength(column.type))
        flags |= columnFixedLength;
    if (schema.system)
        flags |= columnSystemTable;
    return flags;
}

void appendHeader(Bytes& out, const TableSchema& schema, const TableStorage& storage) {
    const auto columnCount = static_cast<std::uint16_t>(schema.columns.size());
    appendU8(out, static_cast<std::uint8_t>(PageType::tableDefinition));
    appendU8(out, 0x01);
    appendU16(out, 0); // free space, known at the end
    appendU32(out, 0); // no continuation page
    appendU32(out, 0); // length, known at the end
    appendU32(out, tableDefinitionMagic);
    appendU32(out, storage.rowCount);
    appendU32(out, 0); // next autonumber: none
    appendU32(out, 1); // autonumber flag, as the engine sets it
    out.resize(out.size() + 12, 0);
    appendU8(out, schema.system ? systemTable : userTable);
    appendU16(out, columnCount); // columns ever, deleted included
    appendU16(out, static_cast<std::uint16_t>(variableColumnCount(schema)));
    appendU16(out, columnCount);
    appendU32(out, 0); // logical indexes
    appendU32(out, 0); // index entries
    appendU32(out, storage.table.ownedPages);
    appendU32(out, storage.table.freeSpacePages);
}

void appendColumn(Bytes& out, const TableSchema& schema, std::uint16_t number, ColumnPlace place) {
    const ColumnDefinition& column = schema.columns[number];
    appendU8(out, static_cast<std::uint8_t>(column.type));
    appendU32(out, tableDefinitionMagic);
    appendU16(out, number);
    appendU16(out, place.fixed ? 0 : place.position);
    appendU16(out, number);
    appendU16(out, generalSortOrder);
    appendU16(out, 0);
    appendU8(out, columnFlags(schema, column));
    appendU8(out, 0); // no text compression
    appendU32(out, 0);
    appendU16(out, place.fixed ? place.position : 0);
    appendU16(out, column.size);
}

void appendColumns(Bytes& out, const TableSchema& schema) {
    const std::vector<ColumnPlace> places = columnPlaces(schema);
    for (std::size_t i = 0; i < schema.columns.size(); ++i)
        appendColumn(out, schema, static_cast<std::uint16_t>(i), places[i]);
    for (const ColumnDefinition& column : schema.columns) {
        const Bytes name = utf16LittleEndian(column.name);
        appendU16(out, static_cast<std::uint16_t>(name.size()));
        appendBytes(out, name);
    }
}

void appendLongValueMaps(Bytes& out, const TableSchema& schema, const TableStorage& storage) {
    auto maps = storage.longValueColumns.begin();
    for (std::size_t i = 0; i < schema.columns.size(); ++i) {
        if (!isLongValue(schema.columns[i].type))
            continue;
        if (maps == storage.longValueColumns.end())
            throw std::logic_error("missing usage maps of a long-value column");
        appendU16(out, static_cast<std::uint16_t>(i));
        appendU32(out, maps->ownedPages);
        appendU32(out, maps->freeSpacePages);
        ++maps;
    }
    appendU16(out, 0xffff);
}

} // namespace

Page tableDefinitionPage(const TableSchema& schema, const TableStorage& storage) {
    Bytes definition;
    appendHeader(definition, schema, storage);
    appendColumns(definition, schema);
    appendLongValueMaps(definition, schema, storage);
    if (definition.size() + 8 > pageSize)
        throw std::logic_error("table definition larger than a page");
    const auto length = static_cast<std::uint32_t>(definition.size());
    putU16(&definition[2], static_cast<std::uint16_t>(pageSize - length - 8));
    putU32(&definition[8], length);
    Page page;
    page.setBytes(0, definition);
    return page;
}

} // namespace jet_writer
