#pragma once
// The two pages that describe a table: its definition, and a page of usage-map records for
// the table's pages and for each memo or OLE column's long-value pages.

#include "catalogue_tool/page_file.h"
#include "catalogue_tool/table_schema.h"

#include <cstdint>
#include <vector>

namespace jet_writer {

struct TablePages {
    std::uint32_t definition;
    std::uint32_t usageMaps;
};

// Allocates the two pages of a table.
TablePages AllocateTablePages(PageFile& file);

struct PageLists {
    std::vector<std::uint32_t> owned;
    std::vector<std::uint32_t> withFreeSpace;
};

struct TableContents {
    std::uint32_t rowCount = 0;
    PageLists data;
    std::vector<PageLists> longValues; // one per memo or OLE column, in column order
};

// Writes both pages, once the table's contents are complete.
void WriteTableStructure(PageFile& file, const TableSchema& schema, TablePages pages,
                         const TableContents& contents);

// The contents of a table without rows.
TableContents EmptyTableContents(const TableSchema& schema);

} // namespace jet_writer
