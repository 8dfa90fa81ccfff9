// slow_media [OPTION]... FOLDER MOUNTPOINT
// Shows FOLDER read-only at MOUNTPOINT as a slow medium would: a stall before the first byte or
// half-way through a file (a disc spinning up, a sleeping disk, a sector retried), then a capped
// throughput. Runs in the foreground until unmounted (fusermount3 -u MOUNTPOINT).
//   --rate BYTES           at most BYTES a second
//   --stall-from OFFSET    the first read that reaches OFFSET stalls (0: the very first read)
//   --stall-seconds S      a stall ends by itself after S seconds (default: only when woken)
//   --stall-file NAME      only files named NAME stall (default: every file)
//   --stall-metadata       looking a stalled file up and opening it stall too
//   --max-read BYTES       the kernel asks for at most BYTES a read and reads no further ahead
//   --control PIPE         a named pipe made here, taking "stall OFFSET" and "wake" lines
//   --status FILE          the medium's state, rewritten as it changes: state= idle, armed or
//                          stalled; stalls= begun so far; waiting= reads now; bytes= of stalled
//                          files delivered; bytes_before_stall= of them between arming and stall

#include "control_fifo.h"
#include "passthrough.h"
#include "slow_medium.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>

namespace {

struct Options {
    slow_media::MediumSettings medium;
    bool metadataStalls = false;
    std::optional<std::uint32_t> maxRead;
    std::string control;
    std::string folder;
    std::string mountPoint;
};

std::optional<std::uint64_t> number(const char* text) {
    std::uint64_t value = 0;
    const char* end = text + std::strlen(text);
    const auto [at, error] = std::from_chars(text, end, value);
    if (error != std::errc() || at != end || at == text) {
        return std::nullopt;
    }
    return value;
}

// The file system runs from the root folder: paths given relative to where it started are made
// whole first.
std::string absolute(const char* path) {
    return std::filesystem::absolute(path).string();
}

std::optional<Options> parse(int argc, char* argv[]) {
    Options options;
    std::vector<std::string> positional;
    for (int at = 1; at < argc; ++at) {
        const std::string option = argv[at];
        if (option == "--stall-metadata") {
            options.metadataStalls = true;
            continue;
        }
        if (option.rfind("--", 0) != 0) {
            positional.push_back(option);
            continue;
        }
        if (at + 1 == argc) {
            return std::nullopt;
        }
        const char* value = argv[++at];
        const auto amount = number(value);
        if (option == "--rate" && amount) {
            options.medium.bytesPerSecond = *amount;
        } else if (option == "--stall-from" && amount) {
            options.medium.stallFrom = *amount;
        } else if (option == "--stall-seconds" && amount) {
            options.medium.stallLength = std::chrono::seconds(*amount);
        } else if (option == "--max-read" && amount && *amount >= 4096 && *amount <= (1u << 20)) {
            options.maxRead = std::uint32_t(*amount);
        } else if (option == "--stall-file") {
            options.medium.stalledFile = value;
        } else if (option == "--control") {
            options.control = absolute(value);
        } else if (option == "--status") {
            options.medium.statusFile = absolute(value);
        } else {
            return std::nullopt;
        }
    }
    if (positional.size() != 2) {
        return std::nullopt;
    }
    options.folder = positional[0];
    options.mountPoint = positional[1];
    return options;
}

} // namespace

int main(int argc, char* argv[]) {
    const auto options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: slow_media [--rate BYTES] [--stall-from OFFSET] [--stall-seconds S]\n"
                   "       [--stall-file NAME] [--stall-metadata] [--max-read BYTES]\n"
                   "       [--control PIPE] [--status FILE] FOLDER MOUNTPOINT\n",
                   stderr);
        return 2;
    }
    const int folder = open(options->folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folder < 0) {
        std::perror(options->folder.c_str());
        return 1;
    }
    slow_media::SlowMedium medium(options->medium);
    if (!options->control.empty() && !slow_media::ListenForCommands(options->control, medium)) {
        return 1;
    }
    slow_media::MountedFolder mounted{folder, medium, options->metadataStalls,
                                      options->maxRead.value_or(0u)};
    std::string mountOptions = "ro,fsname=slow_media,subtype=slow_media";
    if (options->maxRead) {
        mountOptions += ",max_read=" + std::to_string(*options->maxRead);
    }
    std::vector<char*> fuseArguments{argv[0], const_cast<char*>("-f"), const_cast<char*>("-o"),
                                     mountOptions.data(),
                                     const_cast<char*>(options->mountPoint.c_str())};
    const fuse_operations operations = slow_media::PassthroughOperations();
    return fuse_main(int(fuseArguments.size()), fuseArguments.data(), &operations, &mounted);
}
