#include "reader/libmdb/long_value.h"

#include "catalogue/jet_error.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_set>

namespace reader {
namespace {

constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kSingleRow = 0x40000000;
constexpr std::uint32_t kLengthMask = 0x3FFFFFFF;
constexpr std::size_t kLargestReservation = std::size_t(16) << 20;

std::uint32_t read32(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

struct Chunk {
    const unsigned char* bytes;
    std::size_t size;
};

// One row of a long-value page, read into libmdb's second page buffer.
Chunk longValueRow(MdbHandle& mdb, std::uint32_t pageRow, const std::filesystem::path& file) {
    void* page = nullptr;
    int start = 0;
    std::size_t size = 0;
    if (mdb_find_pg_row(&mdb, int(pageRow), &page, &start, &size) != 0) {
        throw catalogue::JetError::damaged(file, "un mémo renvoie à une page illisible");
    }
    const auto* bytes = static_cast<const unsigned char*>(page);
    if (bytes[0] != MDB_PAGE_DATA || std::memcmp(bytes + 4, "LVAL", 4) != 0) {
        throw catalogue::JetError::damaged(file,
                                           "un mémo renvoie à une page qui n'en contient pas");
    }
    return {bytes + start, size};
}

void readChain(MdbHandle& mdb, std::uint32_t pageRow, std::size_t length,
               const std::filesystem::path& file, std::string& out) {
    out.reserve(std::min(length, kLargestReservation));
    std::unordered_set<std::uint32_t> visited;
    while (out.size() < length) {
        if (pageRow == 0 || !visited.insert(pageRow).second) {
            throw catalogue::JetError::damaged(file, "la suite d'un mémo est perdue");
        }
        const Chunk chunk = longValueRow(mdb, pageRow, file);
        if (chunk.size <= 4 || out.size() + chunk.size - 4 > length) {
            throw catalogue::JetError::damaged(file, "un morceau de mémo a une taille impossible");
        }
        pageRow = read32(chunk.bytes);
        out.append(reinterpret_cast<const char*>(chunk.bytes) + 4, chunk.size - 4);
    }
}

} // namespace

void ReadLongValue(MdbHandle& mdb, const unsigned char* field, std::size_t fieldSize,
                   const std::filesystem::path& file, std::string& out) {
    out.clear();
    if (fieldSize < MDB_MEMO_OVERHEAD) {
        throw catalogue::JetError::damaged(file, "l'en-tête d'un mémo est incomplet");
    }
    const std::uint32_t header = read32(field);
    const std::uint32_t pageRow = read32(field + 4);
    if ((header & kInline) != 0 && (header & kSingleRow) == 0) {
        out.assign(reinterpret_cast<const char*>(field) + MDB_MEMO_OVERHEAD,
                   fieldSize - MDB_MEMO_OVERHEAD);
    } else if ((header & kSingleRow) != 0 && (header & kInline) == 0) {
        const Chunk chunk = longValueRow(mdb, pageRow, file);
        out.assign(reinterpret_cast<const char*>(chunk.bytes), chunk.size);
    } else if ((header & (kInline | kSingleRow)) == 0) {
        readChain(mdb, pageRow, header & kLengthMask, file, out);
    } else {
        throw catalogue::JetError::damaged(file, "un mémo est d'un type inconnu");
    }
}

} // namespace reader
