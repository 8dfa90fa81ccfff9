#pragma once
// The catalogue reader's work: read the fields of one table of a catalogue file, mapped
// read-only, and write its rows to a row stream, or an error frame with a French message that
// names the file. A row stream that ends in an error frame holds no rows the program keeps. The
// filters asked for while the rows are sent, when there is a queue of them, are answered.

#include "catalogue/row_stream.h"
#include "reader/filter_requests.h"

#include <filesystem>
#include <string>
#include <vector>

namespace reader {

void ExportCatalogueTable(const std::filesystem::path& file, const std::string& table,
                          const std::vector<std::string>& fields, catalogue::RowStreamWriter& out,
                          FilterRequests* requests = nullptr);

} // namespace reader
