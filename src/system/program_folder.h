#pragma once
// Where the running program file lies.

#include <filesystem>

namespace sys {

// What a program file's name ends with.
#ifdef _WIN32
inline constexpr const char* kProgramSuffix = ".exe";
#else
inline constexpr const char* kProgramSuffix = "";
#endif

// The folder that holds the program file; empty when the system does not tell.
std::filesystem::path ProgramFolder();

} // namespace sys
