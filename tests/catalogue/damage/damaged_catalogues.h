#pragma once
// Damage that upsets the Jet library in known ways, done to the bytes of a good Jet 4 file.
// Each function throws std::runtime_error when the file lacks what it damages.

#include <cstdint>
#include <string>

namespace damage {

// The usage map of the table that declares rowCount rows lists a stale copy of its data page too,
// so the library hands every row of that page over twice.
std::string ListDataPageTwice(std::string bytes, std::uint32_t rowCount);

// Not damage: the last table listed in the system table of objects gets a small, valid
// properties block (a description), as Access writes for every table; the library reads it on
// opening. The catalogue builder writes none, so the damage below needs this first.
std::string WithTableProperties(std::string bytes);

// The first object properties block (in the system table that the library reads on opening)
// gets a chunk of length zero. With grows true the chunk is a property list, which the library
// allocates anew on every turn of its endless loop; otherwise a chunk of unknown kind, on which
// it only spins.
std::string LoopInProperties(std::string bytes, bool grows);

// The first object properties block gets an unknown signature, which the library answers by
// dumping the block to its standard output.
std::string UnknownPropertiesSignature(std::string bytes);

} // namespace damage
