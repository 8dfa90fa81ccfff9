#include "catalogue_tool/catalogue_database.h"

#include "catalogue_tool/catalogue_objects.h"
#include "catalogue_tool/database_header.h"
#include "catalogue_tool/row_encoder.h"
#include "catalogue_tool/system_tables.h"
#include "catalogue_tool/text_encoding.h"
#include "catalogue_tool/usage_map.h"

#include <stdexcept>

namespace jet_writer {

namespace {

constexpr std::uint32_t headerPage = 0;
constexpr std::uint32_t globalUsageMapPage = 1;
constexpr std::uint32_t objectsDefinitionPage = 2;
constexpr std::uint32_t globalUsageMapOwner = 1; // as Access writes it

TableSchema IndexTableSchema() {
    return {{{u"Nom", jet::ColumnType::Text, maxTextLength * 2},
             {u"cd", jet::ColumnType::Text, maxTextLength * 2},
             {u"Description", jet::ColumnType::Memo, 0}},
            false};
}

std::size_t SmallestRow(const TableSchema& schema) {
    return EncodeRow(schema, RowValues(schema.columns.size())).size();
}

std::optional<jet::Bytes> Text(const std::optional<std::u16string>& value) {
    if (!value) {
        return std::nullopt;
    }
    return Utf16LittleEndian(*value);
}

} // namespace

CatalogueDatabase::Layout CatalogueDatabase::reservePages(PageFile& file) {
    file.allocate(); // header
    file.allocate(); // the file's usage map
    Layout layout;
    layout.objects = AllocateTablePages(file);
    if (layout.objects.definition != objectsDefinitionPage) {
        throw std::logic_error("MSysObjects must be defined on page 2");
    }
    layout.permissions = AllocateTablePages(file);
    layout.queries = AllocateTablePages(file);
    layout.relationships = AllocateTablePages(file);
    layout.index = AllocateTablePages(file);
    return layout;
}

CatalogueDatabase::CatalogueDatabase(std::FILE* stream)
    : file_(stream), layout_(reservePages(file_)), indexSchema_(IndexTableSchema()),
      objects_(writeObjects()),
      indexRows_(file_, layout_.index.definition, SmallestRow(indexSchema_)), descriptions_(file_) {
}

TableContents CatalogueDatabase::writeObjects() {
    const TableSchema schema = ObjectsTableSchema();
    const std::vector<TableEntry> tables = {
        {u"MSysObjects", layout_.objects.definition, true},
        {u"MSysACEs", layout_.permissions.definition, true},
        {u"MSysQueries", layout_.queries.definition, true},
        {u"MSysRelationships", layout_.relationships.definition, true},
        {u"Index", layout_.index.definition, false},
    };
    RowPageSequence rows(file_, layout_.objects.definition, SmallestRow(schema));
    for (const RowValues& row : CatalogueObjectRows(tables)) {
        rows.add(EncodeRow(schema, row));
    }
    rows.finish();
    TableContents contents = EmptyTableContents(schema);
    contents.rowCount = rows.rowCount();
    contents.data = {rows.pages(), rows.pagesWithFreeSpace()};
    return contents;
}

void CatalogueDatabase::add(const CatalogueRow& row) {
    RowValues values = {Text(row.nom), Text(row.cd), std::nullopt};
    if (row.description) {
        values[2] = descriptions_.store(Utf16LittleEndian(*row.description));
    }
    indexRows_.add(EncodeRow(indexSchema_, values));
}

void CatalogueDatabase::finish() {
    indexRows_.finish();
    descriptions_.finish();
    TableContents index;
    index.rowCount = indexRows_.rowCount();
    index.data = {indexRows_.pages(), indexRows_.pagesWithFreeSpace()};
    index.longValues = {{descriptions_.pages(), descriptions_.pagesWithFreeSpace()}};
    WriteTableStructure(file_, indexSchema_, layout_.index, index);
    WriteTableStructure(file_, ObjectsTableSchema(), layout_.objects, objects_);
    for (const auto& [schema, pages] :
         {std::pair{PermissionsTableSchema(), layout_.permissions},
          std::pair{QueriesTableSchema(), layout_.queries},
          std::pair{RelationshipsTableSchema(), layout_.relationships}}) {
        WriteTableStructure(file_, schema, pages, EmptyTableContents(schema));
    }
    RowPage globalMap(globalUsageMapOwner);
    globalMap.add(GlobalUsageMapRecord(file_)); // last: it maps every page allocated so far
    file_.write(globalUsageMapPage, globalMap.page());
    file_.write(headerPage, DatabaseHeaderPage());
}

} // namespace jet_writer
