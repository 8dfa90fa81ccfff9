#include "linux/program_end.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

std::function<void()>& handler() {
    static std::function<void()> instance;
    return instance;
}

} // namespace

void End() {
    if (handler()) {
        handler()();
    }
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void SetEndHandler(std::function<void()> newHandler) {
    handler() = std::move(newHandler);
}

} // namespace platform
