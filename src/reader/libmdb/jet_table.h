#pragma once
// One table of a Jet database: its columns, and its rows in the table's own order (the order of
// its data pages) as UTF-8 text that may be null.

#include "reader/libmdb/jet_rows.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct S_MdbTableDef; // libmdb's table definition

namespace reader {

struct JetHandle;

enum class JetType {
    Boolean,
    Byte,
    Integer,
    LongInteger,
    Currency,
    Single,
    Double,
    DateTime,
    Binary,
    Text,
    Ole,
    Memo,
    ReplicationId,
    Numeric,
    Complex,
    Unknown,
};

struct JetColumn {
    std::string name;
    JetType type;
    int size; // stored size in bytes of fixed-size and Text columns, 0 for the others
};

class JetTable {
public:
    // Takes ownership of the definition, which belongs to the handle's file.
    JetTable(std::shared_ptr<JetHandle> handle, S_MdbTableDef* definition);
    JetTable(JetTable&&) noexcept;
    JetTable& operator=(JetTable&&) noexcept;
    ~JetTable();

    const std::string& name() const { return name_; }
    const std::vector<JetColumn>& columns() const { return columns_; }
    // The row count that the table's definition records.
    std::size_t declaredRowCount() const;

    // The values of one row, in the order of the fields asked for; null is std::nullopt. The
    // views are valid only during the call that receives them.
    using RowValues = std::span<const std::optional<std::string_view>>;

    // Calls onRow once per row, in table order. Field names are matched without regard to
    // letter case. Text and memo values come back whole; other kinds as libmdb writes them
    // (dates as 2024-01-31 13:45:00, booleans as 1 or 0); binary and OLE fields are refused.
    // Throws catalogue::JetError for a missing or unreadable field and for damage met on the way.
    // onRow must not read another table of the same file: they share libmdb's page buffers.
    void readRows(const std::vector<std::string>& fields,
                  const std::function<void(RowValues)>& onRow);

    // All the rows of the fields asked for, kept compactly.
    JetRows readAll(const std::vector<std::string>& fields);

private:
    struct DefinitionFreer {
        void operator()(S_MdbTableDef* definition) const;
    };

    // The places of the fields in the table.
    std::vector<std::size_t> planFields(const std::vector<std::string>& fields) const;

    std::shared_ptr<JetHandle> handle_;
    std::unique_ptr<S_MdbTableDef, DefinitionFreer> definition_; // freed before the handle
    std::string name_;
    std::vector<JetColumn> columns_;
};

} // namespace reader
