#pragma once
// A table row as Jet 4 stores it: column count, fixed-length values, variable-length values,
// then the offsets that delimit the latter (in reverse order), their count, and a null mask
// with one bit per column (set when the value is present).

#include "catalogue_tool/table_schema.h"
#include "jet/little_endian.h"

#include <optional>
#include <vector>

namespace jet_writer {

// The stored bytes of each column, in column order; std::nullopt for null. Fixed-length values
// have their column's size. For tables with at least one variable-length column.
using RowValues = std::vector<std::optional<jet::Bytes>>;

jet::Bytes EncodeRow(const TableSchema& schema, const RowValues& values);

} // namespace jet_writer
