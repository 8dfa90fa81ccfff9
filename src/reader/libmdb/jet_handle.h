#pragma once
// What a database and its open tables share: the open libmdb handle, the file's name for
// messages and the decoder of the file's text. Tables hold it too, so the handle outlives them.

#include "reader/libmdb/jet_text.h"
#include "reader/libmdb/libmdb.h"
#include "system/mapped_file.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace reader {

struct JetHandle {
    JetHandle(std::filesystem::path path, std::uintmax_t bytes, sys::MappedFile mappedBytes,
              MdbHandle* opened, JetTextDecoder textDecoder)
        : file(std::move(path)), size(bytes), mapped(std::move(mappedBytes)), mdb(opened),
          decoder(std::move(textDecoder)) {}
    JetHandle(const JetHandle&) = delete;
    JetHandle& operator=(const JetHandle&) = delete;
    ~JetHandle() { mdb_close(mdb); }

    std::filesystem::path file;
    std::uintmax_t size;    // bytes, when opened
    sys::MappedFile mapped; // what libmdb reads its pages from; outlives mdb
    MdbHandle* mdb;         // owned
    JetTextDecoder decoder;
};

} // namespace reader
