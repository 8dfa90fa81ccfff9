#include "catalogue_tool/table_structure.h"

#include "catalogue_tool/row_page.h"
#include "catalogue_tool/table_definition.h"
#include "catalogue_tool/usage_map.h"

#include <algorithm>

namespace jet_writer {

namespace {

constexpr std::uint32_t noOwner = 0;

UsageMaps AddMaps(RowPage& page, std::uint32_t pageNumber, const PageLists& lists, PageFile& file) {
    UsageMaps maps;
    maps.ownedPages = jet::RowPointer(pageNumber, page.add(UsageMapRecord(lists.owned, file)));
    maps.freeSpacePages =
        jet::RowPointer(pageNumber, page.add(UsageMapRecord(lists.withFreeSpace, file)));
    return maps;
}

} // namespace

TablePages AllocateTablePages(PageFile& file) {
    const std::uint32_t definition = file.allocate();
    return {definition, file.allocate()};
}

void WriteTableStructure(PageFile& file, const TableSchema& schema, TablePages pages,
                         const TableContents& contents) {
    RowPage maps(noOwner);
    TableStorage storage;
    storage.rowCount = contents.rowCount;
    storage.table = AddMaps(maps, pages.usageMaps, contents.data, file);
    for (const PageLists& longValues : contents.longValues) {
        storage.longValueColumns.push_back(AddMaps(maps, pages.usageMaps, longValues, file));
    }
    file.write(pages.usageMaps, maps.page());
    file.write(pages.definition, TableDefinitionPage(schema, storage));
}

TableContents EmptyTableContents(const TableSchema& schema) {
    TableContents contents;
    contents.longValues.resize(static_cast<std::size_t>(
        std::count_if(schema.columns.begin(), schema.columns.end(),
                      [](const ColumnDefinition& column) { return IsLongValue(column.type); })));
    return contents;
}

} // namespace jet_writer
