#include "control_fifo.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace slow_media {
namespace {

void obey(const std::string& line, SlowMedium& medium) {
    if (line == "wake") {
        medium.wake();
        return;
    }
    std::uint64_t offset = 0;
    const std::string prefix = "stall";
    if (line.rfind(prefix, 0) == 0) {
        const char* first = line.data() + prefix.size();
        while (*first == ' ') {
            ++first;
        }
        const char* last = line.data() + line.size();
        if (first == last || std::from_chars(first, last, offset).ptr == last) {
            medium.arm(offset);
            return;
        }
    }
    std::fprintf(stderr, "slow_media: unknown command: %s\n", line.c_str());
}

// Each writer opens the pipe, writes its lines and closes it; the pipe is opened again for the
// next one.
void listen(const std::string& path, SlowMedium& medium) {
    for (;;) {
        const int pipe = open(path.c_str(), O_RDONLY);
        if (pipe < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::perror("slow_media: control pipe");
            return;
        }
        std::string line;
        char byte = 0;
        while (read(pipe, &byte, 1) == 1) {
            if (byte != '\n') {
                line += byte;
                continue;
            }
            obey(line, medium);
            line.clear();
        }
        if (!line.empty()) {
            obey(line, medium);
        }
        close(pipe);
    }
}

} // namespace

bool ListenForCommands(const std::string& path, SlowMedium& medium) {
    unlink(path.c_str());
    if (mkfifo(path.c_str(), 0600) != 0) {
        std::perror("slow_media: mkfifo");
        return false;
    }
    std::thread(listen, path, std::ref(medium)).detach();
    return true;
}

} // namespace slow_media
