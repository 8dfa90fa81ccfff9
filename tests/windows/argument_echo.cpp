// A child for the Windows process tests: writes each of its arguments, as the program reads
// them in UTF-8, on a line of its own, in binary so that no line end is rewritten.

#include "system/arguments.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

int main(int argc, char* argv[]) {
    _setmode(_fileno(stdout), _O_BINARY);
    for (const std::string& argument : sys::Utf8Arguments(argc, argv)) {
        std::fwrite(argument.data(), 1, argument.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}
