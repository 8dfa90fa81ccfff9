#pragma once
// A table of a Jet database written back as CSV in the builder's own format: a header line of
// the column names in the table's order, then one line per row; a field is quoted when it holds
// a comma, a quote or a line break, or is the empty text; a null is an empty field without
// quotes. What the builder reads, this writes back unchanged.

#include "jet/little_endian.h"

#include <ostream>
#include <string>
#include <string_view>

namespace jet_writer {

// Appends one CSV field to line.
void AppendCsvField(std::string_view text, bool null, std::string& line);

// Writes the table `table` of the database held in `file`. Throws jet::FormatError.
void ExportTable(jet::ByteSpan file, std::string_view table, std::ostream& out);

} // namespace jet_writer
