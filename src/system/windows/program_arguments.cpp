#include "system/program_arguments.h"

#include "system/windows/wide_text.h"

#include <windows.h>

#include <shellapi.h>

namespace sys {

// argv holds the arguments in the code page, which may lack their characters: they are taken
// from the command line as the system keeps it, in UTF-16.
std::vector<std::string> ProgramArguments(int /*argc*/, char* /*argv*/[]) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i) {
        arguments.push_back(Narrow(words[i]));
    }
    LocalFree(words);
    return arguments;
}

} // namespace sys
