#pragma once
// A file written under a temporary name in its target's folder, that takes the target's
// place only once complete (a rename, which replaces an existing file at once). Destroyed
// without commit(), or interrupted by a signal, it removes the temporary file and leaves the
// target as it was.

#include "interruption_guard.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace jet_writer {

class ReplacingFile {
public:
    // Creates the temporary file; throws FileError.
    explicit ReplacingFile(std::filesystem::path target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    std::FILE* stream() const { return stream_; }

    // Flushes the file to disk and renames it to the target; throws FileError.
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* stream_ = nullptr;
    std::optional<InterruptionGuard> guard_;
};

} // namespace jet_writer
