#pragma once
// Catalogue files for tests, made by the catalogue builder in a temporary folder.

#include "temp_folder.h"

#include <string>

class CatalogueFiles {
public:
    // Builds name from CSV text (header line included) and answers its path.
    std::string build(const std::string& name, const std::string& csv);
    // Writes name with these bytes and answers its path.
    std::string write(const std::string& name, const std::string& bytes);
    // Writes an executable shell script and answers its path.
    std::string script(const std::string& name, const std::string& body);
    std::string path(const std::string& name) const;

private:
    TempFolder folder_;
};

// Reads a whole file.
std::string ReadBytes(const std::string& path);
