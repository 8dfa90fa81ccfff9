#pragma once
// The catalogue reader's work: read the fields of one table of a catalogue file through the Jet
// library and write its rows to a row stream, or an error frame with a French message that names
// the file. The Jet library is not hardened against damaged files, so this runs in a helper
// program of its own (orvane-read-catalogue), never inside the window's process.

#include "catalogue/row_stream.h"

#include <filesystem>
#include <string>
#include <vector>

namespace reader {

void ExportCatalogueTable(const std::filesystem::path& file, const std::string& table,
                          const std::vector<std::string>& fields, catalogue::RowStreamWriter& out);

} // namespace reader
