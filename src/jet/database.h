#pragma once
// A Jet database read from its bytes (the caller maps or loads the file and keeps it alive):
// Jet 3, Jet 4 and ACE, unencrypted. Tables are found by name in the system catalogue without
// regard to case; their rows come out in the table's own order, each field as UTF-8 text or
// null. Every failure is a FormatError with a French message.

#include "jet/page_file.h"
#include "jet/row_decoder.h"
#include "jet/table_definition.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

// Receives each row's fields, in the order the columns were asked for. The views last until
// Row returns.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void Row(std::span<const Field> fields) = 0;
};

class Database {
public:
    // Reads the database page and the system catalogue; throws FormatError.
    explicit Database(ByteSpan file);

    const DatabaseInfo& info() const { return file_.info(); }
    // The user tables, in the catalogue's order.
    std::vector<std::string> TableNames() const;
    // The definition of the table of that name (letter case aside); throws
    // FormatError::TableMissing, or Unsupported for a linked table.
    TableDefinition Table(std::string_view name) const;

    // Sends every row of the table to sink, with the fields of these columns (indices into
    // table.columns), then checks the row count the table declares.
    void ReadRows(const TableDefinition& table, std::span<const std::size_t> columns,
                  RowSink& sink) const;
    // The same with every column, in the table's order.
    void ReadRows(const TableDefinition& table, RowSink& sink) const;
    // The same, the table's pages split into as many runs as there are sinks, each run read on
    // a thread of its own into its sink: sinks[0] gets the first rows, sinks[1] the next ones,
    // and so on, so that the sinks' rows in turn are the table's rows in order. The first
    // failure (in the table's order) is thrown once every thread has ended.
    void ReadRowsInParts(const TableDefinition& table, std::span<const std::size_t> columns,
                         std::span<RowSink* const> sinks) const;

    const PageFile& pages() const { return file_; }

private:
    struct CatalogueEntry {
        std::string name;
        std::int32_t id;
        std::int16_t type;
        std::uint32_t flags;
    };

    void ReadCatalogue();

    PageFile file_;
    std::vector<CatalogueEntry> catalogue_;
};

} // namespace jet
