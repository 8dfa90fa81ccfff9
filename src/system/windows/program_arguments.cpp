#include "system/program_arguments.h"

#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs

namespace sys {
namespace {

std::string utf8Of(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(std::size_t(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

} // namespace

// argv holds the arguments in the code page, which may lack their characters: they are taken
// from the command line as the system keeps it, in UTF-16.
std::vector<std::string> ProgramArguments(int /*argc*/, char* /*argv*/[]) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(utf8Of(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

} // namespace sys
