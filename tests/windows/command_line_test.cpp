// The command line given to a child is split back by Windows' own parser into exactly the
// arguments it was built from.

#include "system/windows/command_line.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

namespace {

std::vector<std::wstring> splitByWindows(const std::wstring& line) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> split(words, words + count);
    LocalFree(words);
    return split;
}

TEST(CommandLineTest, ArgumentsComeBackAsGiven) {
    const std::vector<std::wstring> arguments = {
        L"C:\\Program Files\\Orvane\\orvane-read-catalogue.exe",
        L"plain",
        L"",
        L"two words",
        L"say \"jeu\"",
        L"ends in a backslash\\",
        L"C:\\a folder\\",
        L"\\\\server\\share\\base.MDB",
        L"back\\\\\"slashes",
        L"tab\there",
        L"écran é",
    };
    EXPECT_EQ(splitByWindows(sys::CommandLine(arguments)), arguments);
}

TEST(CommandLineTest, PlainArgumentsStayUnquoted) {
    EXPECT_EQ(sys::QuoteArgument(L"C:\\Orvane\\base.MDB"), L"C:\\Orvane\\base.MDB");
    EXPECT_EQ(sys::QuoteArgument(L""), L"\"\"");
    EXPECT_EQ(sys::QuoteArgument(L"a b\\"), L"\"a b\\\\\"");
}

} // namespace
