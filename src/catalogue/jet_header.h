#pragma once
// Checks, before libmdb sees a file, that it is there, readable, a Jet or ACE database of a
// version libmdb reads, and whole pages long. libmdb would print its own English complaints
// for most of these; here each becomes a JetError that names the file.

#include <cstdint>
#include <filesystem>

namespace catalogue {

struct JetFileFacts {
    int version;         // the header's version byte: 0 Jet 3, 1 Jet 4, 2 and up ACE
    std::uintmax_t size; // bytes
};

JetFileFacts CheckJetFile(const std::filesystem::path& file);

} // namespace catalogue
