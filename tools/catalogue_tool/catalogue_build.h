#pragma once
// Turns a catalogue CSV file into a Jet 4 database, the whole way from file to file.

#include <cstddef>
#include <filesystem>

namespace jet_writer {

// Builds `target` from the CSV file `source` and returns the number of entries written.
// Throws InputError or FileError; on failure the target is left as it was.
std::size_t BuildCatalogue(const std::filesystem::path& source,
                           const std::filesystem::path& target);

} // namespace jet_writer
