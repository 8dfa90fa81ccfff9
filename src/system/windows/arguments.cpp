#include "system/arguments.h"

#include "system/windows/wide_text.h"

#include <windows.h>

#include <shellapi.h>

namespace sys {

std::vector<std::string> Utf8Arguments(int /*argc*/, char* /*argv*/[]) {
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
