#include "system/program_arguments.h"

namespace sys {

// The arguments arrive as the bytes they were given: UTF-8 in a UTF-8 session.
std::vector<std::string> ProgramArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

} // namespace sys
