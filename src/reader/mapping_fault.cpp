#include "reader/mapping_fault.h"

#include <csignal>
#include <cstdlib>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace reader {
namespace {

// What the handler may touch: set before it is armed, never changed after.
int faultChannel = -1;
std::string* faultFrame = nullptr;

void sendFrameAndEnd() {
    const char* bytes = faultFrame->data();
    std::size_t left = faultFrame->size();
    while (left > 0) {
#ifdef _WIN32
        const int written = _write(faultChannel, bytes, static_cast<unsigned>(left));
#else
        const ssize_t written = ::write(faultChannel, bytes, left);
#endif
        if (written <= 0) {
            break;
        }
        bytes += written;
        left -= std::size_t(written);
    }
    std::_Exit(1);
}

#ifdef _WIN32
LONG WINAPI onException(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_IN_PAGE_ERROR) {
        sendFrameAndEnd();
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
#else
extern "C" void onBusError(int) {
    sendFrameAndEnd();
}
#endif

} // namespace

void ReportMappingFaults(int channel, std::string frame) {
    faultChannel = channel;
    faultFrame = new std::string(std::move(frame)); // lives as long as the process
#ifdef _WIN32
    SetUnhandledExceptionFilter(onException);
#else
    std::signal(SIGBUS, onBusError);
#endif
}

} // namespace reader
