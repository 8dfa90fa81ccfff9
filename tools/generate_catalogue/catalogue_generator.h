#pragma once
// Writes a synthetic catalogue CSV (columns Nom, cd, Description; RFC 4180, UTF-8, CRLF) of
// plausible French entries, in which an exact number of rows contain a chosen word in Nom or
// Description (letter case ignored), spread over the file at random. The same options give
// the same file.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

namespace generator {

struct GeneratorOptions {
    std::size_t rows = 100000;
    std::string word = "jeu";
    double share = 0.1; // of the rows that contain the word, from 0 to 1
    std::uint64_t seed = 1;
};

// Rows that will contain the word: share × rows, rounded to the nearest.
std::size_t RowsWithWord(const GeneratorOptions& options);

// Writes the catalogue and returns the number of rows that contain the word. Throws
// std::invalid_argument, with a French message, for options that cannot be met.
std::size_t WriteCatalogue(const GeneratorOptions& options, std::ostream& out);

} // namespace generator
