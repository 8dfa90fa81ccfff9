#pragma once
// Failure of the catalogue store, with a French message that names the catalogue file and says
// what is wrong, ready for a message box.

#include <stdexcept>
#include <string>

namespace catalogue {

class CatalogueError : public std::runtime_error {
    using runtime_error::runtime_error;
};

// The file could not be read this time: its medium did not answer or failed, or its reader did
// not start or was ended. Nothing is known of its content, so a later read tries again.
class CatalogueUnavailable : public CatalogueError {
    using CatalogueError::CatalogueError;
};

} // namespace catalogue
