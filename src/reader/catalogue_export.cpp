#include "reader/catalogue_export.h"

#include "catalogue/jet_error.h"
#include "reader/libmdb/jet_database.h"

#include <cerrno>
#include <new>
#include <system_error>

namespace reader {

void ExportCatalogueTable(const std::filesystem::path& file, const std::string& table,
                          const std::vector<std::string>& fields, catalogue::RowStreamWriter& out) {
    using catalogue::JetError;
    try {
        const JetDatabase database(file);
        JetTable rows = database.openTable(table);
        std::uint64_t count = 0;
        rows.readRows(fields, [&](JetTable::RowValues values) {
            out.row(values);
            ++count;
        });
        out.finish(count);
    } catch (const JetError& error) {
        // A file the system would not read this time says nothing of its content.
        if (error.kind() == JetError::Kind::Unreadable) {
            out.unavailable(error.what());
        } else {
            out.fail(error.what());
        }
    } catch (const std::system_error& error) {
        // The system refused something (a mapping, a text converter): not the file's fault.
        out.unavailable(JetError::unreadable(file, error.code().value()).what());
    } catch (const std::bad_alloc&) {
        out.fail(JetError::unreadable(file, ENOMEM).what());
    }
}

} // namespace reader
