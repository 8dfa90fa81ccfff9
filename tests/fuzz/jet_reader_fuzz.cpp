// Fuzzes the Jet reader itself, in process: whatever the bytes, opening them as a database and
// reading every table gives rows or a jet::FormatError, never a crash, a hang or memory beyond
// a small multiple of the input. Table Index is also read as the reading helper reads it, its
// rows encoded, sent and taken over as the program takes them: whenever the plain reading gives
// rows, the program must hold exactly those values. Two filters are asked of that reading, one
// of ASCII text and one not: each answer must hold the rows the program's own search finds.

#include "catalogue/catalogue_rows.h"
#include "catalogue/filter/filter.h"
#include "catalogue/match_list.h"
#include "catalogue/row_stream.h"
#include "jet/database.h"
#include "reader/filter_requests.h"
#include "reader/ordered_rows.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

using Values = std::vector<std::vector<std::optional<std::string>>>;

class KeepingSink : public jet::RowSink {
public:
    void Row(std::span<const jet::Field> fields) override {
        auto& row = rows.emplace_back();
        for (const jet::Field& field : fields) {
            row.push_back(field.null ? std::nullopt : std::optional(std::string(field.text)));
        }
    }

    Values rows;
};

// The rows of a table as the plain reading gives them, or nullopt when it refuses the table.
std::optional<Values> ReadPlainly(const jet::Database& database,
                                  const jet::TableDefinition& table) {
    try {
        KeepingSink sink;
        database.ReadRows(table, sink);
        return std::move(sink.rows);
    } catch (const jet::FormatError&) {
        return std::nullopt;
    }
}

const std::vector<std::string> kAsked{
    "Nom like '*e*' or Description like '*e*'",
    "Nom like '*\xC3\xA9*' or Description like '*\xC3\x89t*'",
};

// The answer holds the rows the program's search finds in the rows it took, the first of them
// in full; a filter that cannot be bound to the table has no answer.
void CheckAnswer(const catalogue::CatalogueRows& rows, const catalogue::FilterAnswer& answer) {
    if (answer.request >= kAsked.size() || answer.tableRows != rows.rowCount()) {
        std::abort();
    }
    catalogue::MatchList found(
        rows, catalogue::filter::Filter::Parse(kAsked[answer.request]).Bind(rows.columnNames()));
    std::vector<std::uint32_t> matches;
    for (auto row = found.first(); row; row = found.after(*row)) {
        matches.push_back(std::uint32_t(*row));
    }
    if (matches != answer.matches || answer.shown.rowCount() > matches.size()) {
        std::abort();
    }
    for (std::size_t k = 0; k < answer.shown.rowCount(); ++k) {
        for (std::size_t column = 0; column < rows.columnCount(); ++column) {
            if (answer.shown.value(k, column) != rows.value(matches[k], column)) {
                std::abort();
            }
        }
    }
}

// Reads the table as the helper does, into the store as the program keeps it, and stops the
// fuzzing when a value differs from the plain reading's. The reader must never ask for bytes
// outside the file.
void ReadAsTheHelperDoes(const jet::Database& database, const jet::TableDefinition& table,
                         std::span<const std::uint8_t> file, const Values& plain) {
    // The program always asks for the fields it shows; a row of no fields at all encodes to
    // nothing, and a stream of them cannot tell how many there are.
    if (table.columns.empty()) {
        return;
    }
    std::vector<std::size_t> columns;
    std::vector<std::string> names;
    for (std::size_t k = 0; k < table.columns.size(); ++k) {
        columns.push_back(k);
        names.push_back(table.columns[k].name);
    }
    catalogue::CatalogueRows rows(names);
    std::vector<catalogue::FilterAnswer> answers;
    catalogue::RowStreamReader stream(rows, {}, [&answers](catalogue::FilterAnswer answer) {
        answers.push_back(std::move(answer));
    });
    reader::FilterRequests requests;
    std::deque<catalogue::AskedFilter> asked;
    for (std::size_t k = 0; k < kAsked.size(); ++k) {
        asked.push_back({std::uint32_t(k), kAsked[k]});
    }
    requests.add(asked);
    catalogue::RowStreamWriter out([&stream](std::string_view bytes) { stream.feed(bytes); });
    const reader::CopyOut copyOut = [file](std::uint64_t offset, std::span<std::byte> into) {
        if (offset > file.size() || into.size() > file.size() - offset) {
            std::abort();
        }
        std::memcpy(into.data(), file.data() + offset, into.size());
    };
    try {
        out.finish(reader::SendRowsInOrder(database, table, columns, 2, copyOut, out,
                                           reader::AskedFilters{&requests, names}));
    } catch (const jet::FormatError&) {
        std::abort(); // the plain reading read this table
    }
    if (stream.state() != catalogue::RowStreamReader::State::Finished ||
        rows.rowCount() != plain.size()) {
        std::abort();
    }
    for (std::size_t row = 0; row < plain.size(); ++row) {
        for (std::size_t column = 0; column < columns.size(); ++column) {
            if (rows.value(row, column) != plain[row][column]) {
                std::abort();
            }
        }
    }
    for (const catalogue::FilterAnswer& answer : answers) {
        CheckAnswer(rows, answer);
    }
}

void ReadTable(const jet::Database& database, const std::string& name,
               std::span<const std::uint8_t> file) {
    try {
        const jet::TableDefinition table = database.Table(name);
        const std::optional<Values> plain = ReadPlainly(database, table);
        if (plain && name == "Index") {
            ReadAsTheHelperDoes(database, table, file, *plain);
        }
    } catch (const jet::FormatError&) {
        // One table refused says nothing of the others.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    try {
        const jet::Database database(file);
        ReadTable(database, "Index", file);
        for (const std::string& name : database.TableNames()) {
            ReadTable(database, name, file);
        }
    } catch (const jet::FormatError&) {
        // Refused with a message: what damaged input must get.
    }
    return 0;
}
