#include "system/arguments.h"

namespace sys {

std::vector<std::string> Utf8Arguments(int argc, char* argv[]) {
    // The system hands arguments over as the bytes they were given in: UTF-8 on ours.
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

} // namespace sys
