#include "catalogue/catalogue_export.h"

#include "platform/jet/jet_database.h"
#include "platform/jet/jet_error.h"

#include <new>

namespace catalogue {
namespace {

constexpr const char* kTooMuchMemory =
    "sa lecture demande plus de mémoire qu'un fichier de cette taille n'en justifie";

} // namespace

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
        // A damaged length, or a loop in the Jet library, asks for more than the reader may have.
        out.fail(platform::JetError::damaged(file, kTooMuchMemory).what());
    }
}

} // namespace catalogue
