#pragma once
// Failure of the catalogue store, with a French message that names the catalogue file and says
// what is wrong, ready for a message box.

#include <stdexcept>
#include <string>

namespace catalogue {

class CatalogueError : public std::runtime_error {
    using runtime_error::runtime_error;
};

} // namespace catalogue
