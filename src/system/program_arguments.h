#pragma once
// The arguments a program was started with, as UTF-8 whatever the system's code page.

#include <string>
#include <vector>

namespace sys {

// The arguments after the program's own name.
std::vector<std::string> ProgramArguments(int argc, char* argv[]);

} // namespace sys
