#pragma once
// A catalogue database being written: the engine's system tables, and the table Index with
// the text columns Nom and cd (255 characters each) and the memo column Description, whose
// rows are added one at a time and keep their order.
//
// Pages: 0 header, 1 the file's usage map, then the definition and usage-map pages of
// MSysObjects (always 2 and 3), MSysACEs, MSysQueries, MSysRelationships and Index, the
// rows of MSysObjects, then the rows and long values of Index as they come.

#include "catalogue_tool/catalogue_csv.h"
#include "catalogue_tool/long_value.h"
#include "catalogue_tool/page_file.h"
#include "catalogue_tool/row_page_sequence.h"
#include "catalogue_tool/table_schema.h"
#include "catalogue_tool/table_structure.h"

#include <cstdio>

namespace jet_writer {

class CatalogueDatabase {
public:
    explicit CatalogueDatabase(std::FILE* stream);

    void add(const CatalogueRow& row);
    // Writes what depends on all the rows: definitions, usage maps and the header.
    void finish();

private:
    struct Layout {
        TablePages objects;
        TablePages permissions;
        TablePages queries;
        TablePages relationships;
        TablePages index;
    };

    static Layout reservePages(PageFile& file);
    TableContents writeObjects();

    PageFile file_;
    Layout layout_;
    TableSchema indexSchema_;
    TableContents objects_;
    RowPageSequence indexRows_;
    LongValueWriter descriptions_;
};

} // namespace jet_writer
