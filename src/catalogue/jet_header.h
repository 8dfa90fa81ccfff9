#pragma once
// Checks, before the file is mapped and read, that it is there, readable, a Jet or ACE database
// of a known version, and whole pages long; each failure becomes a JetError that names the file.

#include <cstdint>
#include <filesystem>

namespace catalogue {

struct JetFileFacts {
    int version;         // the header's version byte: 0 Jet 3, 1 Jet 4, 2 and up ACE
    std::uintmax_t size; // bytes
};

JetFileFacts CheckJetFile(const std::filesystem::path& file);

} // namespace catalogue
