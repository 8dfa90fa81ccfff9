#pragma once
// The rows of MSysObjects: the containers "Tables", "Databases" and "Relationships", the
// database object "MSysDb", and one row per table whose Id is its definition page.

#include "catalogue_tool/row_encoder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet_writer {

struct TableEntry {
    std::u16string name;
    std::uint32_t definitionPage;
    bool system;
};

std::vector<RowValues> CatalogueObjectRows(const std::vector<TableEntry>& tables);

} // namespace jet_writer
