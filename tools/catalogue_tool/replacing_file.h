#pragma once
// A file written beside its target that takes the target's place only once complete (a rename,
// which replaces an existing file at once). Where the file system allows it the file has no name
// until then (O_TMPFILE), so that even a process killed outright leaves nothing behind;
// elsewhere it has a temporary name, removed when the object is destroyed without commit() or
// when a signal stops the process. A target that is a symbolic link is replaced where the link
// points; the replacement keeps the mode of the file it replaces.

#include "catalogue_tool/interruption_guard.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace jet_writer {

class ReplacingFile {
public:
    // Creates the file; throws FileError.
    explicit ReplacingFile(std::filesystem::path target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    std::FILE* stream() const { return stream_; }

    // Flushes the file to disk and puts it in the target's place; throws FileError.
    void commit();

private:
    bool openUnnamed();
    void openNamed();
    // Gives the unnamed file a temporary name beside the destination.
    void nameUnnamed();
    void keepMode();

    std::filesystem::path target_;      // as given, for messages
    std::filesystem::path destination_; // the file replaced: the target, links followed
    std::filesystem::path temporary_;   // empty while the file has no name
    std::FILE* stream_ = nullptr;
    std::optional<InterruptionGuard> guard_;
};

} // namespace jet_writer
