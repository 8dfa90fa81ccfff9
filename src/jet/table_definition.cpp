#include "jet/table_definition.h"

#include "jet/name_folding.h"
#include "jet/text_decoding.h"

#include <algorithm>
#include <vector>

namespace jet {
namespace {

// The definition's bytes: its first page whole, then each continuation page after its header.
Bytes DefinitionBytes(const PageFile& file, std::uint32_t first) {
    Bytes bytes;
    std::vector<bool> seen(file.pageCount(), false);
    for (std::uint32_t page = first; page != 0;) {
        const ByteSpan content =
            file.PageOfType(page, PageType::TableDefinition, "une définition de table");
        if (seen[page]) {
            throw FormatError::Damaged("la définition d'une table boucle sur ses pages");
        }
        seen[page] = true;
        AppendBytes(bytes, bytes.empty() ? content : content.subspan(kDefinitionPageHeaderSize));
        page = LoadU32(content, kDefinitionNextPageOffset);
    }
    return bytes;
}

Column ReadColumn(const Layout& layout, ByteSpan entry, bool jet3) {
    Column column{};
    column.type = static_cast<ColumnType>(LoadU8(entry, layout.columnType));
    column.number = LoadU16(entry, layout.columnNumber);
    column.variableIndex = LoadU16(entry, layout.columnVariableIndex);
    column.precision = LoadU8(entry, layout.columnMisc);
    column.scale = LoadU8(entry, layout.columnMisc + 1);
    column.flags = LoadU8(entry, layout.columnFlags);
    column.fixedOffset = LoadU16(entry, layout.columnFixedOffset);
    column.length = LoadU16(entry, layout.columnLength);
    column.fixed = (column.flags & column_flag::kFixedLength) != 0;
    column.calculated =
        !jet3 && (LoadU8(entry, kJet4ColumnExtraFlags) & kCalculatedColumn) == kCalculatedColumn;
    return column;
}

// Reads the column names that follow the column entries; returns where they end.
std::size_t ReadNames(const PageFile& file, ByteSpan bytes, std::size_t at,
                      std::vector<Column>& columns) {
    const TextDecoder decoder(file.info());
    for (Column& column : columns) {
        const std::size_t length =
            file.layout().nameLengthSize == 1 ? LoadU8(bytes, at) : LoadU16(bytes, at);
        at += file.layout().nameLengthSize;
        decoder.Append(Slice(bytes, at, length), column.name);
        at += length;
    }
    return at;
}

void CheckColumns(const TableDefinition& table, std::uint16_t maxColumns) {
    for (const Column& column : table.columns) {
        if (column.number >= maxColumns) {
            throw FormatError::Damaged("une colonne porte un numéro hors de la table");
        }
        if (!column.fixed && column.variableIndex >= maxColumns) {
            throw FormatError::Damaged("une colonne variable est mal placée");
        }
    }
}

} // namespace

TableDefinition ReadTableDefinition(const PageFile& file, std::uint32_t page) {
    const Layout& layout = file.layout();
    const Bytes owned = DefinitionBytes(file, page);
    const ByteSpan bytes(owned);
    TableDefinition table;
    table.page = page;
    table.rowCount = LoadU32(bytes, layout.definitionRowCount);
    table.usageMap = LoadU32(bytes, layout.definitionUsageMap);
    table.variableColumnCount = LoadU16(bytes, layout.definitionVariableCount);
    const std::uint16_t maxColumns = LoadU16(bytes, layout.definitionMaxColumns);
    const std::uint16_t columnCount = LoadU16(bytes, layout.definitionColumnCount);
    const std::uint32_t realIndexCount = LoadU32(bytes, layout.definitionRealIndexCount);
    if (!Fits(bytes.size(), layout.definitionEntriesStart,
              std::uint64_t(realIndexCount) * layout.realIndexEntrySize +
                  std::uint64_t(columnCount) * layout.columnEntrySize) ||
        columnCount > maxColumns) {
        throw FormatError::Damaged("la définition d'une table déborde de ses pages");
    }
    std::size_t at = layout.definitionEntriesStart + realIndexCount * layout.realIndexEntrySize;
    for (std::uint16_t i = 0; i < columnCount; ++i) {
        table.columns.push_back(
            ReadColumn(layout, Slice(bytes, at, layout.columnEntrySize), file.isJet3()));
        at += layout.columnEntrySize;
    }
    ReadNames(file, bytes, at, table.columns);
    std::stable_sort(table.columns.begin(), table.columns.end(),
                     [](const Column& a, const Column& b) { return a.number < b.number; });
    CheckColumns(table, maxColumns);
    return table;
}

std::ptrdiff_t FindColumn(const TableDefinition& table, std::string_view name) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (SameName(table.columns[i].name, name)) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

} // namespace jet
