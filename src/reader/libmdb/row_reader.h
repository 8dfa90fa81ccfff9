#pragma once
// Walks a table's rows in its own order and turns the wanted fields of each into UTF-8 text.
// libmdb fetches the row; its null flags, which libmdb's bound values lose, come from cracking
// the row again; text and memo values are decoded here, whole, whatever their length.

#include "reader/libmdb/libmdb.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace reader {

struct JetHandle;

class JetRowReader {
public:
    // fields: the places in the table of the wanted columns.
    JetRowReader(JetHandle& handle, MdbTableDef& table, std::vector<std::size_t> fields);

    // Moves to the next row; false after the last one. Throws catalogue::JetError on damage,
    // including rows that the table declares and that could not be reached.
    bool next();
    // The current row's values, in the order of the wanted fields.
    std::span<const std::optional<std::string_view>> values() const { return values_; }

private:
    void crackCurrentRow();
    std::optional<std::string_view> value(std::size_t k);
    [[noreturn]] void damaged(std::string what) const;

    JetHandle& handle_;
    MdbTableDef& table_;
    std::vector<const MdbColumn*> columns_;
    std::vector<std::size_t> fields_;
    std::vector<MdbField> cracked_;
    std::vector<std::string> texts_;
    std::vector<std::optional<std::string_view>> values_;
    std::string longValue_;
    std::size_t rowsRead_ = 0;
};

} // namespace reader
