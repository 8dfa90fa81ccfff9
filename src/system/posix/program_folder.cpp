#include "system/program_folder.h"

#include <system_error>

namespace sys {

std::filesystem::path ProgramFolder() {
    // Linux names the running program file here, links resolved.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

} // namespace sys
