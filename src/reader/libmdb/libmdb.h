#pragma once
// The one way into libmdb. Its header includes <glib.h> inside its own extern "C" block, where
// glib's C++ templates do not compile; including glib first, outside any such block, makes the
// inner include a no-op.

// clang-format off
#include <glib.h>
#include <mdbtools.h>
// clang-format on

#include <memory>

namespace reader::libmdb {

struct HandleCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
struct TableDefFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

using TableDefPtr = std::unique_ptr<MdbTableDef, TableDefFreer>;

// Jet 3 files have 2 KB pages, Jet 4 and ACE files 4 KB ones.
inline bool isJet3(const MdbHandle& mdb) {
    return mdb.f->jet_version == MDB_VER_JET3;
}

} // namespace reader::libmdb
