#pragma once
// The catalogue link: a database file, a table in it, and the recordset over that table.
//
// Refresh opens the database named by DatabaseName and, when RecordSource names a table, builds
// a new recordset over that table's rows. A catalogue's rows are read once and kept while its
// file stays the same, so repeated Refreshes are cheap.
// A Refresh that fails throws CatalogueError and leaves the previous recordset current. A table
// whose rows are still being read is opened once its reading helper has opened it: a failure
// found later in its rows comes from the finds and fields of the recordset.

#include "catalogue/catalogue_error.h"
#include "catalogue/recordset.h"

#include <functional>
#include <optional>
#include <string>

namespace catalogue {

class DataControl {
public:
    // The catalogue file, UTF-8.
    std::string DatabaseName = "BASE.MDB";
    std::string RecordSource;

    // With an empty RecordSource, only checks that the database can be opened. While it waits
    // for the catalogue to be read it runs whileReading every few milliseconds, when given.
    void Refresh(const std::function<void()>& whileReading = {});

    // The current recordset; throws CatalogueError when no Refresh has built one yet.
    catalogue::Recordset& Recordset();

private:
    std::optional<catalogue::Recordset> recordset_;
};

} // namespace catalogue
