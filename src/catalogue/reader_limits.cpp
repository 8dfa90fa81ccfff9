#include "catalogue/reader_limits.h"

#include <charconv>
#include <cstring>

namespace catalogue {
namespace {

constexpr std::uint64_t kMegabyte = 1 << 20;
// Room for the reader's threads and the rows on their way, then the file's text a few times.
constexpr std::uint64_t kBaseMemory = 256 * kMegabyte;
constexpr std::uint64_t kMemoryPerFileByte = 4;
// Starting, opening and the catalogue's own pages, then a second per 4 MB: ten times the pace
// of a healthy read, for a busy machine.
constexpr std::chrono::seconds kBaseTime{4};
constexpr std::uint64_t kFileBytesPerSecond = 4 * kMegabyte;

std::optional<std::uint64_t> positive(const char* text) {
    std::uint64_t value = 0;
    const char* end = text + std::strlen(text);
    const auto [at, error] = std::from_chars(text, end, value);
    if (error != std::errc() || at != end || value == 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

ReaderLimits LimitsForFile(std::uint64_t fileSize) {
    return {kBaseMemory + kMemoryPerFileByte * fileSize,
            kBaseTime + std::chrono::seconds(fileSize / kFileBytesPerSecond)};
}

std::vector<std::string> LimitArguments(const ReaderLimits& limits) {
    return {std::to_string(limits.memoryBytes), std::to_string(limits.processorTime.count())};
}

std::optional<ReaderLimits> ParseLimitArguments(const char* memory, const char* seconds) {
    const auto bytes = positive(memory);
    const auto time = positive(seconds);
    if (!bytes || !time) {
        return std::nullopt;
    }
    return ReaderLimits{*bytes, std::chrono::seconds(*time)};
}

} // namespace catalogue
