#include "catalogue/catalogue_export.h"

#include "platform/jet/jet_database.h"
#include "platform/jet/jet_error.h"

#include <new>

namespace catalogue {

void ExportCatalogueTable(const std::filesystem::path& file, const std::string& table,
                          const std::vector<std::string>& fields, RowStreamWriter& out) {
    try {
        const platform::JetDatabase database(file);
        platform::JetTable rows = database.openTable(table);
        std::uint64_t count = 0;
        rows.readRows(fields, [&](platform::JetTable::RowValues values) {
            out.row(values);
            ++count;
        });
        out.finish(count);
    } catch (const platform::JetError& error) {
        out.fail(error.what());
    } catch (const std::bad_alloc&) {
        // A damaged length can ask for more memory than there is.
        out.fail(platform::JetError::damaged(file, "une valeur a une longueur impossible").what());
    }
}

} // namespace catalogue
