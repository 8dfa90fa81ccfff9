#pragma once
// The message of the catalogue failure an action throws, for tests that look at its words.

#include "catalogue/catalogue_error.h"

#include <functional>
#include <string>

// The CatalogueError's message, or "(no error)" when the action throws none.
inline std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const catalogue::CatalogueError& error) {
        return error.what();
    }
    return "(no error)";
}
