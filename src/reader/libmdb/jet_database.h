#pragma once
// A Jet (Access) database file opened read-only through libmdb: Jet 3 (Access 97), Jet 4
// (Access 2000 to 2003) and ACE (.accdb) files. The file is never written, not even its times,
// and works from read-only media. Reading does not depend on libmdb's environment variables.
//
// One database and its tables are used by one thread at a time.

#include "reader/libmdb/jet_table.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace reader {

struct JetHandle;

enum class JetFormat { Jet3, Jet4, Ace };

class JetDatabase {
public:
    // Opens the file; throws catalogue::JetError naming it when it is missing, unreadable, not a
    // Jet database or damaged.
    explicit JetDatabase(const std::filesystem::path& file);

    const std::filesystem::path& file() const;
    JetFormat format() const;

    // The user tables, in the order of the file's catalogue.
    std::vector<std::string> tableNames() const;

    // The table of that name, letter case ignored; throws catalogue::JetError when there is none or
    // its definition is damaged. The table keeps the file open while it lives.
    JetTable openTable(const std::string& name) const;

private:
    std::shared_ptr<JetHandle> handle_;
};

} // namespace reader
