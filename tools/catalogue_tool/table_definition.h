#pragma once
// The table definition page: row count, the pointers to the table's usage maps, one entry
// per column, the column names, and the usage maps of each memo or OLE column's long-value
// pages. The writer's tables have no indexes.

#include "catalogue_tool/page.h"
#include "catalogue_tool/table_schema.h"

#include <cstdint>
#include <vector>

namespace jet_writer {

// Row pointers to the two usage-map records of a table or of one of its long-value columns.
struct UsageMaps {
    std::uint32_t ownedPages = 0;
    std::uint32_t freeSpacePages = 0;
};

struct TableStorage {
    std::uint32_t rowCount = 0;
    UsageMaps table;
    std::vector<UsageMaps> longValueColumns; // one per memo or OLE column, in column order
};

Page TableDefinitionPage(const TableSchema& schema, const TableStorage& storage);

} // namespace jet_writer
