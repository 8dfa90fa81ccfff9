#include "reader/catalogue_export.h"

#include "catalogue/jet_error.h"
#include "catalogue/jet_header.h"
#include "jet/database.h"
#include "jet/jet_error.h"
#include "reader/ordered_rows.h"
#include "system/mapped_file.h"
#include "system/utf8_path.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>

namespace reader {
namespace {

using catalogue::JetError;

// Decoding runs on as many threads as the machine has cores, up to a few: past that, the
// program taking the rows is the slower side.
std::size_t readingThreads() {
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
}

// The columns of the table that the fields name, letter case aside.
std::vector<std::size_t> columnsOf(const std::filesystem::path& file, const std::string& table,
                                   const jet::TableDefinition& definition,
                                   const std::vector<std::string>& fields) {
    std::vector<std::size_t> columns;
    for (const std::string& field : fields) {
        const std::ptrdiff_t index = jet::FindColumn(definition, field);
        if (index < 0) {
            throw JetError::fieldMissing(file, table, field);
        }
        columns.push_back(static_cast<std::size_t>(index));
    }
    return columns;
}

// What the reader found wrong with the bytes, as the program's message about the file.
JetError errorOf(const std::filesystem::path& file, const jet::FormatError& error) {
    switch (error.kind()) {
    case jet::FormatError::Kind::NotJet:
        return JetError::notJet(file);
    case jet::FormatError::Kind::Damaged:
        return JetError::damaged(file, error.detail());
    case jet::FormatError::Kind::TableMissing:
        return JetError::tableMissing(file, error.detail());
    case jet::FormatError::Kind::Unsupported:
    case jet::FormatError::Kind::Encrypted:
        break;
    }
    return {JetError::Kind::Unsupported, error.Message(sys::Utf8Of(file))};
}

void exportTable(const std::filesystem::path& file, const std::string& table,
                 const std::vector<std::string>& fields, catalogue::RowStreamWriter& out,
                 FilterRequests* requests) {
    catalogue::CheckJetFile(file);
    const sys::MappedFile mapped(file);
    const jet::ByteSpan bytes(reinterpret_cast<const std::uint8_t*>(mapped.data()), mapped.size());
    const jet::Database database(bytes);
    const jet::TableDefinition definition = database.Table(table);
    const std::vector<std::size_t> columns = columnsOf(file, table, definition, fields);
    const CopyOut copyOut = [&mapped](std::uint64_t offset, std::span<std::byte> into) {
        mapped.CopyOut(offset, into);
    };
    out.finish(SendRowsInOrder(database, definition, columns, readingThreads(), copyOut, out,
                               {requests, fields}));
}

} // namespace

void ExportCatalogueTable(const std::filesystem::path& file, const std::string& table,
                          const std::vector<std::string>& fields, catalogue::RowStreamWriter& out,
                          FilterRequests* requests) {
    try {
        exportTable(file, table, fields, out, requests);
    } catch (const JetError& error) {
        // A file the system would not read this time says nothing of its content.
        if (error.kind() == JetError::Kind::Unreadable) {
            out.unavailable(error.what());
        } else {
            out.fail(error.what());
        }
    } catch (const jet::FormatError& error) {
        out.fail(errorOf(file, error).what());
    } catch (const std::system_error& error) {
        // The system refused something (the mapping, a page of it): not the file's fault.
        out.unavailable(JetError::unreadable(file, error.code().value()).what());
    } catch (const std::bad_alloc&) {
        // The reader's memory is bounded by the file's size: running short is the system's.
        out.unavailable(JetError::unreadable(file, ENOMEM).what());
    }
}

} // namespace reader
