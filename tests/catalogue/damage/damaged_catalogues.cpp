#include "damaged_catalogues.h"

#include <cstdint>
#include <stdexcept>

namespace damage {
namespace {

constexpr std::size_t kPage = 4096; // Jet 4
constexpr char kDataPage = 0x01;
constexpr char kTableDefinition = 0x02;
constexpr std::size_t kRowCountAt = 16;   // in a table definition
constexpr std::size_t kUsageMapAt = 55;   // in a table definition: row number, then page
constexpr std::size_t kFreeSpaceAt = 2;   // in a data page
constexpr std::size_t kOwnerAt = 4;       // in a data page: its table definition's page
constexpr std::size_t kPageRowsAt = 12;   // in a data page
constexpr std::size_t kRowOffsetsAt = 14; // in a data page
constexpr std::size_t kOffsetMask = 0x1FFF;

// The system table of objects, as the catalogue builder and Access lay it out.
constexpr std::uint32_t kObjectsTable = 2;         // its definition's page
constexpr std::size_t kTypeAt = 2 + 8;             // in a row: after the column count, Id, ParentId
constexpr std::uint32_t kTableType = 1;            // the Type of a table
constexpr std::size_t kPropertiesVariable = 8;     // LvProp among the variable-length columns
constexpr std::size_t kPropertiesColumn = 14;      // LvProp among all columns
constexpr std::uint32_t kInlineValue = 0x80000000; // a long value held in the row itself
constexpr std::size_t kLongValueHeader = 12;
constexpr char kTextProperty = 10;

std::uint32_t get(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | std::uint8_t(bytes[at + std::size_t(i)]);
    }
    return value;
}

void put(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[at + std::size_t(i)] = char(value >> (8 * i));
    }
}

std::string le(std::uint32_t value, int size) {
    std::string bytes(std::size_t(size), '\0');
    put(bytes, 0, value, size);
    return bytes;
}

std::string utf16(const std::string& ascii) {
    std::string bytes;
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

void require(bool holds, const char* what) {
    if (!holds) {
        throw std::runtime_error(what);
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

// Where the first properties block starts.
std::size_t firstProperties(const std::string& bytes) {
    std::size_t at = bytes.find(std::string("MR2\0", 4));
    if (at == std::string::npos) {
        at = bytes.find(std::string("KKD\0", 4));
    }
    require(at != std::string::npos, "no properties block");
    return at;
}

// A properties block with one chunk of names and one of the table's own values: its
// description. Chunks: u32 length, u16 kind; values: u16 length, flag, type, name, size, value.
std::string descriptionBlock() {
    const std::string name = utf16("Description");
    const std::string text = utf16("Catalogue");
    const std::string names = le(std::uint32_t(6 + 2 + name.size()), 4) + le(0x80, 2) +
                              le(std::uint32_t(name.size()), 2) + name;
    const std::string value = le(std::uint32_t(8 + text.size()), 2) + '\0' + kTextProperty +
                              le(0, 2) + le(std::uint32_t(text.size()), 2) + text;
    const std::string header = le(std::uint32_t(6 + value.size()), 4) + le(0, 2); // unnamed
    const std::string values =
        le(std::uint32_t(6 + header.size() + value.size()), 4) + le(0, 2) + header + value;
    return std::string("MR2\0", 4) + names + values;
}

// The row with value in one of its variable-length columns, empty before: variable is the
// column's number among those, column its number among all (for the mask of those not null).
std::string withValue(const std::string& row, std::size_t variable, std::size_t column,
                      const std::string& value) {
    const std::size_t end = row.size();
    const std::size_t maskSize = (get(row, 0, 2) + 7) / 8;
    const std::size_t count = get(row, end - maskSize - 2, 2);
    const auto offsetAt = [&](std::size_t i) { return end - maskSize - 4 - 2 * i; };
    require(variable < count &&
                get(row, offsetAt(variable), 2) == get(row, offsetAt(variable + 1), 2),
            "the column is not empty");
    const std::size_t at = get(row, offsetAt(variable), 2);
    const std::size_t valuesEnd = get(row, offsetAt(count), 2);
    std::string grown = row.substr(0, at) + value + row.substr(at, valuesEnd - at);
    for (std::size_t i = count + 1; i-- > 0;) { // the end of the values, then the offsets
        const std::size_t offset = get(row, offsetAt(i), 2);
        grown += le(std::uint32_t(i > variable ? offset + value.size() : offset), 2);
    }
    grown += row.substr(end - maskSize - 2);
    grown[grown.size() - maskSize + column / 8] |= char(1 << (column % 8));
    return grown;
}

// The first data page of the system table of objects.
std::size_t objectsPage(const std::string& bytes) {
    for (std::size_t at = kPage; at + kPage <= bytes.size(); at += kPage) {
        if (bytes[at] == kDataPage && get(bytes, at + kOwnerAt, 4) == kObjectsTable) {
            return at;
        }
    }
    throw std::runtime_error("no rows of the system table of objects");
}

std::size_t rowOffsetAt(std::size_t page, std::size_t row) {
    return page + kRowOffsetsAt + 2 * row;
}

std::size_t rowStart(const std::string& bytes, std::size_t page, std::size_t row) {
    return page + (get(bytes, rowOffsetAt(page, row), 2) & kOffsetMask);
}

// Rows lie from the page's end down, each up to the one before it.
std::size_t rowEnd(const std::string& bytes, std::size_t page, std::size_t row) {
    return row == 0 ? page + kPage : rowStart(bytes, page, row - 1);
}

// The row of the data page takes grown, longer than the row was: it grows downwards, the rows
// after it move down as much, and the page's free space shrinks by as much.
void growRow(std::string& bytes, std::size_t page, std::size_t row, const std::string& grown) {
    const std::size_t rows = get(bytes, page + kPageRowsAt, 2);
    const std::size_t start = rowStart(bytes, page, row);
    const std::size_t end = rowEnd(bytes, page, row);
    const std::size_t growth = grown.size() - (end - start);
    const std::uint32_t freeSpace = get(bytes, page + kFreeSpaceAt, 2);
    require(freeSpace >= growth, "no room for the longer row on its page");
    const std::size_t lowest = rowStart(bytes, page, rows - 1);
    bytes.replace(lowest - growth, start - lowest, bytes.substr(lowest, start - lowest));
    bytes.replace(end - grown.size(), grown.size(), grown);
    for (std::size_t moved = row; moved < rows; ++moved) {
        const std::size_t at = rowOffsetAt(page, moved);
        put(bytes, at, get(bytes, at, 2) - std::uint32_t(growth), 2);
    }
    put(bytes, page + kFreeSpaceAt, freeSpace - std::uint32_t(growth), 2);
}

} // namespace

std::string ListDataPageTwice(std::string bytes, std::uint32_t rowCount) {
    const std::size_t table = tableOf(bytes, rowCount);
    require(table != 0, "no table of that many rows");
    const std::uint32_t pointer = get(bytes, table * kPage + kUsageMapAt, 4);
    const std::size_t mapPage = (pointer >> 8) * kPage;
    const std::size_t mapRow = pointer & 0xFF;
    const std::size_t map =
        mapPage + (get(bytes, mapPage + kRowOffsetsAt + 2 * mapRow, 2) & kOffsetMask);
    require(bytes[map] == 0, "the usage map is not an inline bitmap");
    // Type 0: the first page's number, then one bit per page from it.
    const std::uint32_t first = get(bytes, map + 1, 4);
    std::uint32_t dataPage = first;
    while (
        !(std::uint8_t(bytes[map + 5 + (dataPage - first) / 8]) >> ((dataPage - first) % 8) & 1)) {
        ++dataPage;
    }
    const std::string copy = bytes.substr(dataPage * kPage, kPage);
    require(copy[0] == kDataPage, "the usage map's first page holds no rows");
    const auto stale = std::uint32_t(bytes.size() / kPage);
    bytes += copy;
    bytes[map + 5 + (stale - first) / 8] |= char(1 << ((stale - first) % 8));
    return bytes;
}

std::string WithTableProperties(std::string bytes) {
    const std::size_t page = objectsPage(bytes);
    const std::size_t rows = get(bytes, page + kPageRowsAt, 2);
    std::size_t row = rows;
    do {
        require(row > 0, "no table in the system table of objects");
        --row;
    } while (get(bytes, rowStart(bytes, page, row) + kTypeAt, 2) != kTableType);

    const std::string block = descriptionBlock();
    const std::string value = le(kInlineValue | std::uint32_t(block.size()), 4) +
                              std::string(kLongValueHeader - 4, '\0') + block;
    const std::size_t start = rowStart(bytes, page, row);
    growRow(bytes, page, row,
            withValue(bytes.substr(start, rowEnd(bytes, page, row) - start), kPropertiesVariable,
                      kPropertiesColumn, value));
    return bytes;
}

std::string LoopInProperties(std::string bytes, bool grows) {
    const std::size_t block = firstProperties(bytes);
    // After the four-byte signature: chunks of u32 length, u16 kind; the first names the
    // properties, the second lists them.
    const std::size_t second = block + 4 + get(bytes, block + 4, 4);
    put(bytes, second, 0, 4);
    if (!grows) {
        bytes[second + 4] = char(0x77);
        bytes[second + 5] = char(0x77);
    }
    return bytes;
}

std::string UnknownPropertiesSignature(std::string bytes) {
    bytes[firstProperties(bytes)] = 'X';
    return bytes;
}

} // namespace damage
