#pragma once
// What the catalogue reader may use while it reads one file: the Jet library loops on some damaged
// files, asking for ever more memory or never ending, so the reader runs bounded by limits sized
// from the file. A healthy read needs a few megabytes and about a second per 40 MB of file.

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
