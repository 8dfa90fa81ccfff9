#include "damaged_catalogues.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace damage {
namespace {

constexpr std::size_t kPage = 4096; // Jet 4
constexpr char kDataPage = 0x01;
constexpr char kTableDefinition = 0x02;
constexpr std::size_t kRowCountAt = 16;   // in a table definition
constexpr std::size_t kUsageMapAt = 55;   // in a table definition: row number, then page
constexpr std::size_t kRowOffsetsAt = 14; // in a data page
constexpr std::size_t kOffsetMask = 0x1FFF;

std::uint32_t get(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | std::uint8_t(bytes[at + std::size_t(i)]);
    }
    return value;
}

void put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + std::size_t(i)] = char(value >> (8 * i));
    }
}

// The page of the table definition that declares rowCount rows, or 0.
std::size_t tableOf(const std::string& bytes, std::uint32_t rowCount) {
    for (std::size_t page = 1; (page + 1) * kPage <= bytes.size(); ++page) {
        const std::size_t at = page * kPage;
        if (bytes[at] == kTableDefinition && get(bytes, at + kRowCountAt, 4) == rowCount) {
            return page;
        }
    }
    return 0;
}

// Where the first properties block starts, or npos.
std::size_t firstProperties(const std::string& bytes) {
    const std::size_t at = bytes.find(std::string("MR2\0", 4));
    return at != std::string::npos ? at : bytes.find(std::string("KKD\0", 4));
}

} // namespace

std::string ListDataPageTwice(std::string bytes, std::uint32_t rowCount) {
    const std::size_t table = tableOf(bytes, rowCount);
    if (table == 0) {
        ADD_FAILURE() << "no table of " << rowCount << " rows";
        return bytes;
    }
    const std::uint32_t pointer = get(bytes, table * kPage + kUsageMapAt, 4);
    const std::size_t mapPage = (pointer >> 8) * kPage;
    const std::size_t mapRow = pointer & 0xFF;
    const std::size_t map =
        mapPage + (get(bytes, mapPage + kRowOffsetsAt + 2 * mapRow, 2) & kOffsetMask);
    if (bytes[map] != 0) {
        ADD_FAILURE() << "the usage map is not an inline bitmap";
        return bytes;
    }
    // Type 0: the first page's number, then one bit per page from it.
    const std::uint32_t first = get(bytes, map + 1, 4);
    std::uint32_t dataPage = first;
    while (
        !(std::uint8_t(bytes[map + 5 + (dataPage - first) / 8]) >> ((dataPage - first) % 8) & 1)) {
        ++dataPage;
    }
    const std::string copy = bytes.substr(dataPage * kPage, kPage);
    if (copy[0] != kDataPage) {
        ADD_FAILURE() << "the usage map's first page holds no rows";
        return bytes;
    }
    const auto stale = std::uint32_t(bytes.size() / kPage);
    bytes += copy;
    bytes[map + 5 + (stale - first) / 8] |= char(1 << ((stale - first) % 8));
    return bytes;
}

std::string LoopInProperties(std::string bytes, bool grows) {
    const std::size_t block = firstProperties(bytes);
    if (block == std::string::npos) {
        ADD_FAILURE() << "no properties block";
        return bytes;
    }
    // After the four-byte signature: chunks of u32 length, u16 kind; the first names the
    // properties, the second lists them.
    const std::size_t second = block + 4 + get(bytes, block + 4, 4);
    put32(bytes, second, 0);
    if (!grows) {
        bytes[second + 4] = char(0x77);
        bytes[second + 5] = char(0x77);
    }
    return bytes;
}

std::string UnknownPropertiesSignature(std::string bytes) {
    const std::size_t block = firstProperties(bytes);
    if (block == std::string::npos) {
        ADD_FAILURE() << "no properties block";
        return bytes;
    }
    bytes[block] = 'X';
    return bytes;
}

} // namespace damage
