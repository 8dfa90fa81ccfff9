#pragma once
// The one command line Windows hands a new process, built from separate arguments so that the
// program's own start-up code splits it back into exactly those arguments (spaces, quotes and
// backslashes included).

#include <string>
#include <vector>

namespace sys {

std::wstring QuoteArgument(const std::wstring& argument);
std::wstring CommandLine(const std::vector<std::wstring>& arguments);

} // namespace sys
