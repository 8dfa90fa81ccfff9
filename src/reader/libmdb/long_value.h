#pragma once
// Memo and OLE values: a 12-byte header in the row holds the value itself (inline), or points
// to one row of a long-value (LVAL) page, or to a chain of such rows each starting with the
// pointer to the next. The whole value is read, whatever its length.

#include "reader/libmdb/libmdb.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace reader {

// Puts the stored bytes of the value whose header starts at field (fieldSize bytes in the
// current page) into out. Throws catalogue::JetError (damaged) when the chain does not hold
// together.
void ReadLongValue(MdbHandle& mdb, const unsigned char* field, std::size_t fieldSize,
                   const std::filesystem::path& file, std::string& out);

} // namespace reader
