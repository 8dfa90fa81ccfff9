#include "catalogue_tool/table_definition.h"

#include "catalogue_tool/text_encoding.h"

#include <stdexcept>

namespace jet_writer {

namespace {

std::uint8_t ColumnFlags(const TableSchema& schema, const ColumnDefinition& column) {
    std::uint8_t flags = jet::column_flag::kNullable;
    if (IsFixedLength(column.type)) {
        flags |= jet::column_flag::kFixedLength;
    }
    if (schema.system) {
        flags |= jet::column_flag::kSystemTable;
    }
    return flags;
}

void AppendHeader(jet::Bytes& out, const TableSchema& schema, const TableStorage& storage) {
    const auto columnCount = static_cast<std::uint16_t>(schema.columns.size());
    jet::AppendU8(out, static_cast<std::uint8_t>(jet::PageType::TableDefinition));
    jet::AppendU8(out, 0x01);
    jet::AppendU16(out, 0); // free space, known at the end
    jet::AppendU32(out, 0); // no continuation page
    jet::AppendU32(out, 0); // length, known at the end
    jet::AppendU32(out, jet::kTableDefinitionMagic);
    jet::AppendU32(out, storage.rowCount);
    jet::AppendU32(out, 0); // next autonumber: none
    jet::AppendU32(out, 1); // autonumber flag, as the engine sets it
    out.resize(out.size() + 12, 0);
    jet::AppendU8(out, schema.system ? jet::kSystemTable : jet::kUserTable);
    jet::AppendU16(out, columnCount); // columns ever, deleted included
    jet::AppendU16(out, static_cast<std::uint16_t>(VariableColumnCount(schema)));
    jet::AppendU16(out, columnCount);
    jet::AppendU32(out, 0); // logical indexes
    jet::AppendU32(out, 0); // index entries
    jet::AppendU32(out, storage.table.ownedPages);
    jet::AppendU32(out, storage.table.freeSpacePages);
}

void AppendColumn(jet::Bytes& out, const TableSchema& schema, std::uint16_t number,
                  ColumnPlace place) {
    const ColumnDefinition& column = schema.columns[number];
    jet::AppendU8(out, static_cast<std::uint8_t>(column.type));
    jet::AppendU32(out, jet::kTableDefinitionMagic);
    jet::AppendU16(out, number);
    jet::AppendU16(out, place.fixed ? 0 : place.position);
    jet::AppendU16(out, number);
    jet::AppendU16(out, jet::kGeneralSortOrder);
    jet::AppendU16(out, 0);
    jet::AppendU8(out, ColumnFlags(schema, column));
    jet::AppendU8(out, 0); // no text compression
    jet::AppendU32(out, 0);
    jet::AppendU16(out, place.fixed ? place.position : 0);
    jet::AppendU16(out, column.size);
}

void AppendColumns(jet::Bytes& out, const TableSchema& schema) {
    const std::vector<ColumnPlace> places = ColumnPlaces(schema);
    for (std::size_t i = 0; i < schema.columns.size(); ++i) {
        AppendColumn(out, schema, static_cast<std::uint16_t>(i), places[i]);
    }
    for (const ColumnDefinition& column : schema.columns) {
        const jet::Bytes name = Utf16LittleEndian(column.name);
        jet::AppendU16(out, static_cast<std::uint16_t>(name.size()));
        jet::AppendBytes(out, name);
    }
}

void AppendLongValueMaps(jet::Bytes& out, const TableSchema& schema, const TableStorage& storage) {
    auto maps = storage.longValueColumns.begin();
    for (std::size_t i = 0; i < schema.columns.size(); ++i) {
        if (!IsLongValue(schema.columns[i].type)) {
            continue;
        }
        if (maps == storage.longValueColumns.end()) {
            throw std::logic_error("missing usage maps of a long-value column");
        }
        jet::AppendU16(out, static_cast<std::uint16_t>(i));
        jet::AppendU32(out, maps->ownedPages);
        jet::AppendU32(out, maps->freeSpacePages);
        ++maps;
    }
    jet::AppendU16(out, 0xffff);
}

} // namespace

Page TableDefinitionPage(const TableSchema& schema, const TableStorage& storage) {
    jet::Bytes definition;
    AppendHeader(definition, schema, storage);
    AppendColumns(definition, schema);
    AppendLongValueMaps(definition, schema, storage);
    if (definition.size() + 8 > jet::kJet4PageSize) {
        throw std::logic_error("table definition larger than a page");
    }
    const auto length = static_cast<std::uint32_t>(definition.size());
    jet::StoreU16(&definition[2], static_cast<std::uint16_t>(jet::kJet4PageSize - length - 8));
    jet::StoreU32(&definition[8], length);
    Page page;
    page.setBytes(0, definition);
    return page;
}

} // namespace jet_writer
