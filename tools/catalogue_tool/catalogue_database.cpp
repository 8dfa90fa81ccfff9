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

TableSchema indexTableSchema() {
    return {{{u"Nom", jet::ColumnType::Text, maxTextLength * 2},
             {u"cd", jet::ColumnType::Text, maxTextLength * 2},
             {u"Description", jet::ColumnType::Memo, 0}},
            false};
}

std::size_t smallestRow(const TableSchema& schema) {
    return encodeRow(schema, RowValues(schema.columns.size())).size();
}

std::optional<jet::Bytes> text(const std::optional<std::u16string>& value) {
    if (!value) {
        return std::nullopt;
    }
    return utf16LittleEndian(*value);
}

} // namespace

CatalogueDatabase::Layout CatalogueDatabase::reservePages(PageFile& file) {
    file.allocate(); // header
    file.allocate(); // the file's usage map
    Layout layout;
    layout.objects = allocateTablePages(file);
    if (layout.objects.definition != objectsDefinitionPage) {
        throw std::logic_error("MSysObjects must be defined on page 2");
    }
    layout.permissions = allocateTablePages(file);
    layout.queries = allocateTablePages(file);
    layout.relationships = allocateTablePages(file);
    layout.index = allocateTablePages(file);
    return layout;
}

CatalogueDatabase::CatalogueDatabase(std::FILE* stream)
    : file_(stream), layout_(reservePages(file_)), indexSchema_(indexTableSchema()),
      objects_(writeObjects()),
      indexRows_(file_, layout_.index.definition, smallestRow(indexSchema_)), descriptions_(file_) {
}

TableContents CatalogueDatabase::writeObjects() {
    const TableSchema schema = objectsTableSchema();
    const std::vector<TableEntry> tables = {
        {u"MSysObjects", layout_.objects.definition, true},
        {u"MSysACEs", layout_.permissions.definition, true},
        {u"MSysQueries", layout_.queries.definition, true},
        {u"MSysRelationships", layout_.relationships.definition, true},
        {u"Index", layout_.index.definition, false},
    };
    RowPageSequence rows(file_, layout_.objects.definition, smallestRow(schema));
    for (const RowValues& row : catalogueObjectRows(tables)) {
        rows.add(encodeRow(schema, row));
    }
    rows.finish();
    TableContents contents = emptyTableContents(schema);
    contents.rowCount = rows.rowCount();
    contents.data = {rows.pages(), rows.pagesWithFreeSpace()};
    return contents;
}

void CatalogueDatabase::add(const CatalogueRow& row) {
    RowValues values = {text(row.nom), text(row.cd), std::nullopt};
    if (row.description) {
        values[2] = descriptions_.store(utf16LittleEndian(*row.description));
    }
    indexRows_.add(encodeRow(indexSchema_, values));
}

void CatalogueDatabase::finish() {
    indexRows_.finish();
    descriptions_.finish();
    TableContents index;
    index.rowCount = indexRows_.rowCount();
    index.data = {indexRows_.pages(), indexRows_.pagesWithFreeSpace()};
    index.longValues = {{descriptions_.pages(), descriptions_.pagesWithFreeSpace()}};
    writeTableStructure(file_, indexSchema_, layout_.index, index);
    writeTableStructure(file_, objectsTableSchema(), layout_.objects, objects_);
    for (const auto& [schema, pages] :
         {std::pair{permissionsTableSchema(), layout_.permissions},
          std::pair{queriesTableSchema(), layout_.queries},
          std::pair{relationshipsTableSchema(), layout_.relationships}}) {
        writeTableStructure(file_, schema, pages, emptyTableContents(schema));
    }
    RowPage globalMap(globalUsageMapOwner);
    globalMap.add(globalUsageMapRecord(file_)); // last: it maps every page allocated so far
    file_.write(globalUsageMapPage, globalMap.page());
    file_.write(headerPage, databaseHeaderPage());
}

} // namespace jet_writer
