#pragma once
// Reads a table's rows on several threads and sends them to the row stream in the table's order.
// The table's pages are cut into runs of a few dozen; each thread decodes, folds and encodes the
// next run nobody has taken into frames of its own, and the calling thread sends finished runs in
// order. A thread runs at most a few runs ahead of the sending, so that memory stays small and
// reused, and rows flow to the program from the start, as a slow medium needs them to.
//
// Between two runs, a filter the program asked for is answered first: the whole table is read
// the same way once more, each row tested instead of sent, and the matches are sent in an answer
// before the rows go on. The program learns what its first search finds without waiting for all
// the rows.

#include "catalogue/row_stream.h"
#include "jet/database.h"
#include "reader/filter_requests.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace reader {

// Copies the file's bytes from an offset into a buffer, as sys::MappedFile::CopyOut does.
using CopyOut = std::function<void(std::uint64_t offset, std::span<std::byte> into)>;

// The filters the program asks for, if it may ask any, and the fields by the names it gave them,
// which the filters use.
struct AskedFilters {
    FilterRequests* requests = nullptr;
    std::vector<std::string> fields;
};

// Says the table open once its columns are accepted, sends every row of the table, with the
// fields of these columns, then checks the row count the table declares; answers it. The table's
// data pages are taken with copyOut into each thread's buffer; what rows point to elsewhere is read
// from the database's bytes. The first failure in the table's order is thrown once every thread has
// stopped; the rows before it are sent. A request waiting before a run is answered before it;
// damage that its pass finds is thrown as the rows' own would be.
std::uint64_t SendRowsInOrder(const jet::Database& database, const jet::TableDefinition& table,
                              std::span<const std::size_t> columns, std::size_t threads,
                              const CopyOut& copyOut, catalogue::RowStreamWriter& out,
                              const AskedFilters& asked = {});

} // namespace reader
