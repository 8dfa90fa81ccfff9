#include "catalogue/data_control.h"

#include "catalogue/catalogue_store.h"
#include "catalogue/quoted.h"

namespace catalogue {

void DataControl::Refresh(const std::function<void()>& whileReading) {
    if (RecordSource.empty()) {
        CheckCatalogueFile(DatabaseName, whileReading);
        return;
    }
    catalogue::Recordset fresh(OpenCatalogueSource(DatabaseName, RecordSource, whileReading));
    // Assigned in place: a reference taken earlier from Recordset() sees the new recordset.
    if (recordset_) {
        *recordset_ = std::move(fresh);
    } else {
        recordset_.emplace(std::move(fresh));
    }
}

catalogue::Recordset& DataControl::Recordset() {
    if (!recordset_) {
        throw CatalogueError("Le catalogue " + Quoted(DatabaseName) +
                             " n'est pas ouvert : aucune table n'a été lue.");
    }
    return *recordset_;
}

} // namespace catalogue
