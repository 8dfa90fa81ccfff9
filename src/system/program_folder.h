#pragma once
// Where the running program file lies.

#include <filesystem>

namespace sys {

// The folder that holds the program file; empty when the system does not tell.
std::filesystem::path ProgramFolder();

} // namespace sys
