#pragma once
// What the catalogue reader may use while it reads one file. The reader checks every structure and
// bounds every walk itself; these limits, sized from the file, are a second wall around any fault
// it missed, asking for ever more memory or never ending. A healthy read needs the file's mapping,
// a few megabytes a thread and well under a second of processor time per 100 MB of file.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace catalogue {

struct ReaderLimits {
    std::uint64_t memoryBytes;          // address space beyond what the reader maps at its start
    std::chrono::seconds processorTime; // processor time for the whole read

    bool operator==(const ReaderLimits&) const = default;
};

ReaderLimits LimitsForFile(std::uint64_t fileSize);

// The limits as the first two arguments of the reader, and back; nullopt for arguments that do
// not hold two positive whole numbers.
std::vector<std::string> LimitArguments(const ReaderLimits& limits);
std::optional<ReaderLimits> ParseLimitArguments(const char* memory, const char* seconds);

} // namespace catalogue
