#pragma once
// The program's command-line arguments as UTF-8, whatever the system's own encoding of them:
// a catalogue's path may hold any character of its folder names.

#include <string>
#include <vector>

namespace sys {

// The arguments after the program's name. On Windows they are read from the command line the
// system keeps in UTF-16 (main's own are in the local code page, which cannot hold every name).
std::vector<std::string> Utf8Arguments(int argc, char* argv[]);

} // namespace sys
