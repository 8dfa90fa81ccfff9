#pragma once
// The database page (page 0): the engine version, hence the page layout, the code page of
// Jet 3 text, and whether the database is encrypted or protected by a password.

#include "jet/format.h"
#include "jet/little_endian.h"

#include <array>
#include <cstdint>

namespace jet {

struct DatabaseInfo {
    Version version;
    const Layout* layout;
    std::uint16_t codePage;
    std::uint32_t pageCount;
};

// Checks the signature, the version, the size and the protection of a whole file; throws
// FormatError (NotJet, Unsupported, Encrypted, Damaged).
DatabaseInfo ReadDatabasePage(ByteSpan file);

// The RC4 key stream that masks part of the database page.
std::array<std::uint8_t, header::kJet4MaskedSize> HeaderMaskStream();

} // namespace jet
